// The pickers and the tooltip: the picture file dialog's preview pane and
// its process-wide "Show Preview" state, the folder picker cancelled, and
// the tooltip's wrapping width.

#include "widgets/BmpDialog.h"
#include "widgets/BmpDialogIds.h"
#include "widgets/FolderPicker.h"
#include "widgets/KqToolTip.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr char kDialogTitle[] = "Pick a picture";
constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 100;

// The first window below `root` with control id `id`.
HWND FindDescendant(HWND root, int id)
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    ::EnumChildWindows(
        root,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND window)
{
    char text[128] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// A 24-bit 200 x 100 bitmap file in the temporary folder.
std::string WritePicture()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "kq_preview.bmp";
    const int rowBytes = (kPictureWidth * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = kPictureWidth;
    info.biHeight = kPictureHeight;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(rowBytes * kPictureHeight);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<char> pixels(info.biSizeImage, '\x40');
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return path;
}

TEST(BmpDialog, ThePaneDescribesThePictureAndKeepsShowPreviewForTheProcess)
{
    const std::string picture = WritePicture();
    const std::string folder = picture.substr(0, picture.find_last_of('\\'));
    ASSERT_TRUE(CBmpDialog::IsPreviewShown()) << "on at start";

    struct Seen {
        bool checked = false;
        std::string width, height, colours, size;
    } seen;
    {
        CBmpDialog dialog(TRUE, nullptr, "kq_preview.bmp");
        dialog.m_ofn.lpstrTitle = kDialogTitle;
        dialog.m_ofn.lpstrInitialDir = folder.c_str();
        EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CBmpDialog)));
        const INT_PTR result = kqtest::RunShown(kDialogTitle, [&] { return dialog.DoModal(); }, [&](CWnd& box) {
            const HWND check = FindDescendant(box.m_hWnd, KQ_BMP_SHOW_PREVIEW);
            ASSERT_NE(check, nullptr) << "the program's pane 5000 is joined to the dialog";
            ASSERT_NE(FindDescendant(box.m_hWnd, KQ_BMP_PREVIEW_BOX), nullptr);
            seen.checked = ::SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
            // Off and on again: turning it on describes the file named at once.
            ::SendMessageA(check, BM_CLICK, 0, 0);
            ::SendMessageA(check, BM_CLICK, 0, 0);
            seen.width = TextOf(FindDescendant(box.m_hWnd, KQ_BMP_WIDTH_TEXT));
            seen.height = TextOf(FindDescendant(box.m_hWnd, KQ_BMP_HEIGHT_TEXT));
            seen.colours = TextOf(FindDescendant(box.m_hWnd, KQ_BMP_COLOURS_TEXT));
            seen.size = TextOf(FindDescendant(box.m_hWnd, KQ_BMP_SIZE_TEXT));
            // Off: the texts go, and the next dialog starts off.
            ::SendMessageA(check, BM_CLICK, 0, 0);
            EXPECT_EQ(TextOf(FindDescendant(box.m_hWnd, KQ_BMP_WIDTH_TEXT)), "");
            box.PostMessage(WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    EXPECT_TRUE(seen.checked);
    EXPECT_EQ(seen.width, "Width: 200 pixels");
    EXPECT_EQ(seen.height, "Height: 100 pixels");
    EXPECT_EQ(seen.colours, "Colors: 16 millions");
    EXPECT_EQ(seen.size, "Size: 58 Kb");
    EXPECT_FALSE(CBmpDialog::IsPreviewShown());

    bool checkedAgain = true;
    CBmpDialog again(TRUE);
    again.m_ofn.lpstrTitle = kDialogTitle;
    kqtest::RunShown(kDialogTitle, [&] { return again.DoModal(); }, [&](CWnd& box) {
        checkedAgain = ::SendMessageA(FindDescendant(box.m_hWnd, KQ_BMP_SHOW_PREVIEW), BM_GETCHECK, 0, 0) == BST_CHECKED;
        box.PostMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(checkedAgain) << "the flag stays off for the next dialog";
    CBmpDialog::ShowPreview(TRUE);
    ::DeleteFileA(picture.c_str());
}

// Cancels the first dialog box that the current thread shows.
void CALLBACK CancelThreadDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char className[16] = {};
            ::GetClassNameA(window, className, sizeof className);
            if (std::string(className) == "#32770" && ::IsWindowVisible(window)) {
                ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                return FALSE;
            }
            return TRUE;
        },
        0);
    (void)timer;
}

TEST(FolderPicker, CancelledGivesFalseAndNoPath)
{
    CFolderPicker picker;
    picker.m_title = "Choose";
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CancelThreadDialog);
    EXPECT_FALSE(picker.Browse(&kqtest::Host()));
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(picker.m_path.IsEmpty());
}

TEST(FolderPicker, AnUnreadableRootGivesFalseWithoutShowingAnything)
{
    CFolderPicker picker;
    picker.m_root = "Q:\\no\\such\\folder\\at\\all";
    EXPECT_FALSE(picker.Browse(&kqtest::Host()));
}

TEST(KqToolTip, WrapsAtTheWidthItIsGiven)
{
    CKqToolTip tip;
    ASSERT_TRUE(tip.CreateFor(&kqtest::Host(), TRUE, CKqToolTip::kMainWindowTipWidth));
    EXPECT_EQ(tip.SendMessage(TTM_GETMAXTIPWIDTH), 200);
    tip.SetMaxTipWidth(120);
    EXPECT_EQ(tip.SendMessage(TTM_GETMAXTIPWIDTH), 120);
}

} // namespace
