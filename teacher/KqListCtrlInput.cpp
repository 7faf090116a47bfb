// The seat map's mouse, scrolling and background: the rubber band, the
// scroll bars, the wheel and the tiled background picture.

#include "teacher/KqListCtrl.h"

#include "teacher/ScrollBars.h"

#include <algorithm>

namespace {

constexpr int kDefaultWheelLines = 3;
constexpr UINT kNoWheelSetting = 0;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

} // namespace

void CKqListCtrl::StartBand(CPoint point)
{
    m_anchor = point;
    m_dragging = true;
    ::SetCapture(m_hWnd);
    SelectOnly(0);
    m_band = RECT{};
    PostToParent(kMapClickedMessage, kBackgroundSeat);
}

void CKqListCtrl::EndBand()
{
    if (m_dragging && !IsEmpty(m_band)) {
        HDC dc = ::GetDC(m_hWnd);
        ::DrawFocusRect(dc, &m_band);
        ::ReleaseDC(m_hWnd, dc);
        PostToParent(kMapClickedMessage, MAKELONG(kBackgroundSeat, kBandEnd));
    }
    m_band = RECT{};
    if (m_dragging)
        ::ReleaseCapture();
    m_dragging = false;
}

void CKqListCtrl::OnLButtonDown(UINT, CPoint point) { StartBand(point); }
void CKqListCtrl::OnRButtonDown(UINT, CPoint point) { StartBand(point); }
void CKqListCtrl::OnLButtonUp(UINT, CPoint) { EndBand(); }
void CKqListCtrl::OnRButtonUp(UINT, CPoint point)
{
    EndBand();
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ShowMenu(kq::kBackgroundMenuState, screen);
}

void CKqListCtrl::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    HDC dc = ::GetDC(m_hWnd);
    if (!IsEmpty(m_band))
        ::DrawFocusRect(dc, &m_band);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    POINT pt = point;
    if (!::PtInRect(&client, pt)) {
        // Pull the seats under the pointer, no further than the extent.
        const int width = m_extent.right - m_extent.left;
        const int height = m_extent.bottom - m_extent.top;
        pt.x = std::clamp<LONG>(pt.x, -width, width);
        pt.y = std::clamp<LONG>(pt.y, -height, height);
        if (pt.x < 0 || pt.x > client.right)
            ScrollBy(SB_HORZ, pt.x < 0 ? pt.x : pt.x - client.right);
        if (pt.y < 0 || pt.y > client.bottom)
            ScrollBy(SB_VERT, pt.y < 0 ? pt.y : pt.y - client.bottom);
    }
    m_band = RECT{std::min<LONG>(m_anchor.x, point.x), std::min<LONG>(m_anchor.y, point.y),
                  std::max<LONG>(m_anchor.x, point.x), std::max<LONG>(m_anchor.y, point.y)};
    if (!IsEmpty(m_band)) {
        for (CSeatItemWnd* seat : m_seats) {
            RECT r, overlap;
            ::GetWindowRect(seat->m_hWnd, &r);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
            const bool inside = ::IntersectRect(&overlap, &r, &m_band) != 0;
            if (inside && !seat->IsSelected())
                seat->SetSelected(1, FALSE);
            else if (!inside && seat->IsSelected())
                seat->SetSelected(0, TRUE);
        }
        ::DrawFocusRect(dc, &m_band);
    }
    ::ReleaseDC(m_hWnd, dc);
}

void CKqListCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_layoutWidth = cx;
    m_layoutHeight = cy;
    if (IsEmpty(m_extent))
        return;
    UpdateScrollBars();
}

void CKqListCtrl::UpdateScrollBars()
{
    kq::FitScrollBars(m_hWnd, m_extent.right - m_extent.left, m_extent.bottom - m_extent.top);
}

void CKqListCtrl::ScrollBy(int bar, int amount)
{
    const int moved = kq::ScrollContentsBy(m_hWnd, bar, amount);
    if (moved == 0)
        return;
    const int dx = bar == SB_HORZ ? -moved : 0;
    const int dy = bar == SB_VERT ? -moved : 0;
    ::OffsetRect(&m_extent, dx, dy);
    m_anchor.x += dx;
    m_anchor.y += dy;
    ::UpdateWindow(m_hWnd);
}

void CKqListCtrl::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    ScrollBy(SB_VERT, kq::SeatScrollAmount(m_hWnd, SB_VERT, code, pos));
}

void CKqListCtrl::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    ScrollBy(SB_HORZ, kq::SeatScrollAmount(m_hWnd, SB_HORZ, code, pos));
}

int CKqListCtrl::WheelLines()
{
    if (m_wheelLines != 0)
        return m_wheelLines;
    UINT lines = kNoWheelSetting;
    if (HWND mouseZ = ::FindWindowA("MouseZ", "Magellan MSWHEEL")) {
        const UINT ask = ::RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        lines = static_cast<UINT>(::SendMessageA(mouseZ, ask, 0, 0));
    } else if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        lines = kNoWheelSetting;
    }
    m_wheelLines = lines == kNoWheelSetting ? kDefaultWheelLines : static_cast<int>(lines);
    return m_wheelLines;
}

LRESULT CKqListCtrl::OnWheel(WPARAM wParam, LPARAM)
{
    const WORD keys = LOWORD(wParam);
    if ((keys & (MK_SHIFT | MK_CONTROL)) != 0 || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0)
        return 0;
    const short delta = static_cast<short>(HIWORD(wParam));
    const bool vertical = (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VSCROLL) != 0;
    ScrollBy(vertical ? SB_VERT : SB_HORZ, kq::WheelDistance(delta, WheelLines(), vertical));
    return 0;
}

BOOL CKqListCtrl::OnEraseBkgnd(CDC* dc)
{
    if (m_background == nullptr)
        return CWnd::OnEraseBkgnd(dc);
    HDC target = dc->m_hDC;
    BITMAP info{};
    ::GetObjectA(m_background, sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0)
        return CWnd::OnEraseBkgnd(dc);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    RECT dirty;
    ::GetClipBox(target, &dirty);
    const int width = std::max<int>(client.right, m_extent.right - m_extent.left);
    const int height = std::max<int>(client.bottom, m_extent.bottom - m_extent.top);
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(source, m_background);
    // Tiles start at the extent's origin so the picture scrolls with the seats.
    for (int y = m_extent.top; y < m_extent.top + height; y += info.bmHeight)
        for (int x = m_extent.left; x < m_extent.left + width; x += info.bmWidth) {
            RECT tile = {x, y, x + info.bmWidth, y + info.bmHeight}, overlap;
            if (::IntersectRect(&overlap, &tile, &dirty))
                ::BitBlt(target, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        }
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return TRUE;
}
