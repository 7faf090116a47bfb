#include "teacher/SplashWnd.h"

#include "common/ProgramFolder.h"

#include <algorithm>

BOOL CSplashWnd::s_enabled = FALSE;
CSplashWnd* CSplashWnd::s_current = nullptr;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSplashWnd::~CSplashWnd()
{
    if (s_current == this)
        s_current = nullptr;
}

std::string CSplashWnd::SplashFile()
{
    return kq::PathInProgramFolder(AfxGetApp()->GetProfileString("BackBmp", "Splash", "").GetString());
}

void CSplashWnd::ShowSplash(CWnd* parent)
{
    if (!s_enabled || s_current != nullptr)
        return;
    CSplashWnd* splash = new CSplashWnd;
    s_current = splash;
    if (!splash->Create(parent)) {
        s_current = nullptr;
        delete splash;
        return;
    }
    splash->UpdateWindow();
}

BOOL CSplashWnd::Create(CWnd* parent)
{
    const std::string file = SplashFile();
    if (file.empty())
        return FALSE;
    m_bitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (m_bitmap == nullptr)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(m_bitmap, sizeof info, &info);
    LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    return CreateEx(0, windowClass, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth, info.bmHeight,
                    parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CSplashWnd::RelayAppMessage(MSG* msg)
{
    if (s_current == nullptr || s_current->m_hWnd == nullptr)
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        HideSplash();
        return TRUE;
    default:
        return FALSE;
    }
}

void CSplashWnd::HideSplash()
{
    if (s_current != nullptr && s_current->m_hWnd != nullptr)
        s_current->DestroyWindow();
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->UpdateWindow();
}

int CSplashWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    // On the screen, not over the window it belongs to.
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, (::GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - window.Height()) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetTimer(kHideTimer, kHideAfterMs);
    return 0;
}

void CSplashWnd::OnPaint()
{
    PAINTSTRUCT paint = {};
    HDC screen = ::BeginPaint(m_hWnd, &paint);
    BITMAP info = {};
    ::GetObjectA(m_bitmap, sizeof info, &info);
    const int w = info.bmWidth;
    const int h = info.bmHeight;
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ previous = ::SelectObject(memory, m_bitmap);

    // Rows of every other line in bands; a picture under kBandDivisor rows
    // still gets bands of one row.
    const int band = std::max(1, h / kBandDivisor);
    for (int start = 0; start < h; start += 2 * band)
        for (int row = start; row < start + band && row < h; row += 2)
            ::StretchBlt(screen, 0, row, w, 1, memory, 0, row, w, 1, SRCCOPY);
    // Columns from both edges inwards.
    for (int x = 0; x <= w; x += 2) {
        ::StretchBlt(screen, x, 0, 1, h, memory, x, 0, 1, h, SRCCOPY);
        ::StretchBlt(screen, w - x + 1, 0, 1, h, memory, w - x + 1, 0, 1, h, SRCCOPY);
        ::Sleep(1);
    }
    // Whatever the steps missed (the odd columns of an odd width) is drawn now.
    ::BitBlt(screen, 0, 0, w, h, memory, 0, 0, SRCCOPY);

    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::EndPaint(m_hWnd, &paint);
}

void CSplashWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kHideTimer)
        HideSplash();
}

void CSplashWnd::OnDestroy()
{
    CWnd::OnDestroy();
    if (m_bitmap != nullptr) {
        ::DeleteObject(m_bitmap);
        m_bitmap = nullptr;
    }
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}
