#include "widgets/SkinDialog.h"

#include "framework/BitmapDrawing.h"
#include "widgets/TeacherLook.h"

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, kq::kTeacherCornerWidth, kq::kTeacherCornerHeight, closeX, closeY, backgroundId,
                  parent, kq::kTeacherSkinLook)
{
}

CSkinDialog::CSkinDialog(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY,
                         UINT backgroundId, CWnd* parent, const kq::SkinLook& look)
    : CDialog(templateId, parent),
      m_cornerWidth(cornerWidth),
      m_cornerHeight(cornerHeight),
      m_backgroundId(backgroundId),
      m_closeX(closeX),
      m_closeY(closeY),
      m_look(look)
{
}

CSkinDialog::~CSkinDialog()
{
    m_background.DeleteObject();
    m_closeButton.DestroyWindow();
    // The window region belongs to the window and goes with it.
}

CSize CSkinDialog::LoadBackground()
{
    m_background.DeleteObject();
    BITMAP info = {};
    if (m_background.LoadBitmap(LOWORD(m_backgroundId)) && m_background.GetBitmap(&info) != 0)
        return CSize(info.bmWidth, info.bmHeight);
    m_background.DeleteObject();
    CRect window;
    GetWindowRect(&window);
    return window.Size();
}

BOOL CSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_look.foregroundFirst)
        SetForegroundWindow();

    // On top, but not activated: a box that ends before it shows (one
    // warning at a time) must not take the activation from the open one;
    // showing the dialog activates it.
    const CSize size = LoadBackground();
    DropSystemFrame();
    SetWindowPos(&wndTop, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // The region reaches one pixel past the window, as the corners are drawn.
    CRgn region;
    if (!region.CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, m_cornerWidth, m_cornerHeight))
        return FALSE;
    if (!SetWindowRgn(region, TRUE))
        return FALSE; // still ours: freed with `region`
    region.Detach();  // the window's now: it frees it

    m_body.SetRect(0, kCaptionHeight, size.cx + 1, size.cy + 1);
    m_captionBand.SetRect(0, 0, size.cx + 1, kCaptionHeight);

    if (m_closeX > 0 || m_closeY > 0) {
        m_closeButton.Create(m_closeX, m_closeY, m_look.closeId, this, WS_VISIBLE);
        m_closeButton.LoadBitmaps(m_look.closeUpBitmap, m_look.closeDownBitmap, nullptr, 0);
    }
    if (m_look.centre)
        CentreOnScreen();
    return TRUE;
}

void CSkinDialog::DropSystemFrame()
{
    // The background draws the caption band and the border; a template's
    // caption or frame would sit on top of it and take room from the client.
    constexpr DWORD kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME;
    constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    ModifyStyle(kFrameStyles, 0);
    ModifyStyleEx(kFrameExStyles, 0);
}

void CSkinDialog::CentreOnScreen()
{
    CRect window;
    GetWindowRect(&window);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    MoveWindow((screenWidth - window.Width()) / 2, (screenHeight - window.Height()) / 2, window.Width(),
               window.Height(), TRUE);
}

void CSkinDialog::OnSetFont(CFont* font)
{
    CDialog::OnSetFont(font);
}

void CSkinDialog::OnPaint()
{
    CPaintDC dc(this);
    if (m_background.GetSafeHandle() == nullptr)
        return; // the dialog's own background shows
    CRect client;
    GetClientRect(&client);
    kq::CopyBitmapTo(dc, m_background, client.Width(), client.Height());
}

LRESULT CSkinDialog::OnNcHitTest(CPoint screenPoint)
{
    CPoint client = screenPoint;
    ScreenToClient(&client);
    if (m_captionBand.PtInRect(client) && !m_body.PtInRect(client))
        return HTCAPTION; // no system caption: the band drags the window
    return CDialog::OnNcHitTest(screenPoint);
}

BOOL CSkinDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The close button's id differs between the programs, so it is matched
    // here rather than in the message map.
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from != nullptr && from == m_closeButton.GetSafeHwnd() && LOWORD(wParam) == m_look.closeId &&
        HIWORD(wParam) == BN_CLICKED) {
        OnCloseButton();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSkinDialog::OnCloseButton()
{
    PostMessage(WM_CLOSE, 0, 0);
}
