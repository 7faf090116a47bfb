#include "broadcast/TextTipWnd.h"

namespace {

constexpr char kWindowName[] = "TITLEWND";
constexpr int kWidth = 50;
constexpr int kHeight = 30;
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kTextX = 3;
constexpr int kTextY = 5;

} // namespace

BEGIN_MESSAGE_MAP(CTextTipWnd, CWnd)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

bool CTextTipWnd::CreateTip(HWND owner, int x, int y)
{
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kWindowName, WS_POPUP | WS_BORDER, x, y, kWidth,
                  kHeight, owner, nullptr))
        return false;
    ShowWindow(SW_SHOWNOACTIVATE);
    return true;
}

void CTextTipWnd::ShowText(const char* text)
{
    m_text = text != nullptr ? text : "";
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return;
    HDC dc = ::GetDC(hwnd);
    RECT area = {0, 0, kWidth, kHeight};
    HBRUSH cyan = CreateSolidBrush(kCyan);
    FillRect(dc, &area, cyan);
    DeleteObject(cyan);
    const COLORREF oldColour = SetTextColor(dc, kBlack);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, kTextX, kTextY, m_text.c_str(), static_cast<int>(m_text.size()));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    ::ReleaseDC(hwnd, dc);
}

void CTextTipWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_CLOSE)
        return;
    CWnd::OnSysCommand(nID, lParam);
}
