#include "widgets/BmpDialog.h"

#include "widgets/BmpDialogIds.h"
#include "widgets/PreviewFit.h"

#include <string>

IMPLEMENT_DYNAMIC(CBmpDialog, CFileDialog)

namespace {

constexpr char kFilter[] = "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*||";
constexpr DWORD kPaneFlags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr int kPathBuffer = 1024;
constexpr int kInfoTexts[] = {KQ_BMP_WIDTH_TEXT, KQ_BMP_HEIGHT_TEXT, KQ_BMP_COLOURS_TEXT, KQ_BMP_SIZE_TEXT};

// One preview for the process, as there is one dialog on the screen at a time.
HBITMAP g_preview = nullptr;
BOOL g_showPreview = TRUE;

void ForgetPreview()
{
    if (g_preview != nullptr)
        ::DeleteObject(g_preview);
    g_preview = nullptr;
}

void ClearTexts(HWND pane)
{
    for (int id : kInfoTexts)
        ::SetDlgItemTextA(pane, id, "");
}

uint64_t FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Loads the file the dialog points at and describes it.
void ShowSelection(HWND pane)
{
    if (::IsDlgButtonChecked(pane, KQ_BMP_SHOW_PREVIEW) != BST_CHECKED) {
        ForgetPreview();
        return;
    }
    char path[kPathBuffer] = {};
    ::SendMessageA(::GetParent(pane), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    path[sizeof path - 1] = '\0';
    ForgetPreview();
    g_preview = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    ::InvalidateRect(::GetDlgItem(pane, KQ_BMP_PREVIEW_BOX), nullptr, TRUE);
    BITMAP info = {};
    if (g_preview == nullptr || ::GetObjectA(g_preview, sizeof info, &info) == 0) {
        ClearTexts(pane);
        return;
    }
    ::SetDlgItemTextA(pane, KQ_BMP_WIDTH_TEXT, kq::PreviewWidthText(info.bmWidth).c_str());
    ::SetDlgItemTextA(pane, KQ_BMP_HEIGHT_TEXT, kq::PreviewHeightText(info.bmHeight).c_str());
    ::SetDlgItemTextA(pane, KQ_BMP_COLOURS_TEXT, kq::PreviewColourText(info.bmBitsPixel).c_str());
    ::SetDlgItemTextA(pane, KQ_BMP_SIZE_TEXT, kq::PreviewSizeText(FileSize(path)).c_str());
}

void DrawPreview(const DRAWITEMSTRUCT& draw)
{
    BITMAP info = {};
    if (g_preview == nullptr || ::GetObjectA(g_preview, sizeof info, &info) == 0)
        return;
    const kq::PreviewRect box = {draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    kq::PreviewRect fit = {};
    if (!kq::FitPreview(info.bmWidth, info.bmHeight, box, fit))
        return;
    const HDC memory = ::CreateCompatibleDC(draw.hDC);
    const HGDIOBJ previous = ::SelectObject(memory, g_preview);
    ::SetStretchBltMode(draw.hDC, COLORONCOLOR);
    ::StretchBlt(draw.hDC, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top, memory, 0, 0,
                 info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
}

} // namespace

CBmpDialog::CBmpDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                       CWnd* parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent)
{
    SetFilter(kFilter);
    m_ofn.Flags |= kPaneFlags;
    m_ofn.hInstance = AfxGetInstanceHandle(); // the program's own module, not the resource module
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(KQ_BMP_DIALOG_TEMPLATE);
    m_ofn.lpfnHook = &CBmpDialog::Hook;
}

BOOL CBmpDialog::IsPreviewShown()
{
    return g_showPreview;
}

void CBmpDialog::ShowPreview(BOOL show)
{
    g_showPreview = show;
}

UINT_PTR CALLBACK CBmpDialog::Hook(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
            ForgetPreview();
            ::CheckDlgButton(pane, KQ_BMP_SHOW_PREVIEW, g_showPreview ? BST_CHECKED : BST_UNCHECKED);
            break;
        case CDN_SELCHANGE:
            ShowSelection(pane);
            break;
        case CDN_FILEOK:
            ForgetPreview();
            break;
        default:
            break;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == KQ_BMP_SHOW_PREVIEW) {
            g_showPreview = ::IsDlgButtonChecked(pane, KQ_BMP_SHOW_PREVIEW) == BST_CHECKED;
            if (g_showPreview) {
                ShowSelection(pane);
            } else {
                ForgetPreview();
                ::InvalidateRect(::GetDlgItem(pane, KQ_BMP_PREVIEW_BOX), nullptr, TRUE);
                ClearTexts(pane);
            }
        }
        break;
    case WM_DRAWITEM:
        if (wParam == KQ_BMP_PREVIEW_BOX)
            DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    default:
        break;
    }
    return 0;
}
