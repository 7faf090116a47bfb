#include "teacher/SeatItemWnd.h"

#include "teacher/SeatStates.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kIconSize = 32;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS;
constexpr int kMaxCaption = 256;

} // namespace

CSeatItemWnd::~CSeatItemWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSeatItemWnd::CreateSeat(const std::string& name, int id, CWnd* parent, const RECT& rect, HFONT font)
{
    m_name = name;
    m_id = id;
    m_font = font;
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    if (!Create(cls, name.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent, id))
        return FALSE;
    BuildShape(name);
    return TRUE;
}

bool CSeatItemWnd::HasImage(int state) const
{
    return m_imageList != nullptr && state >= 0 && state < ImageList_GetImageCount(m_imageList);
}

RECT CSeatItemWnd::MeasureCaption(HDC dc, const std::string& text, const RECT& band) const
{
    HGDIOBJ oldFont = m_font ? ::SelectObject(dc, m_font) : nullptr;
    RECT measured = band;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, kCaptionFormat | DT_CALCRECT);
    if (oldFont)
        ::SelectObject(dc, oldFont);
    const int w = std::min<int>(measured.right - measured.left, band.right - band.left);
    const int h = std::min<int>(measured.bottom - measured.top, band.bottom - band.top);
    RECT centred;
    centred.left = band.left + (band.right - band.left - w) / 2;
    centred.top = band.top + (band.bottom - band.top - h) / 2;
    centred.right = centred.left + w;
    centred.bottom = centred.top + h;
    return centred;
}

int CSeatItemWnd::BuildShape(const std::string& text)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int iconLeft = (client.right - kIconSize) / 2;
    HRGN shape = ::CreateRectRgn(iconLeft, 0, iconLeft + kIconSize, kIconSize);
    if (!text.empty()) {
        HDC dc = ::GetDC(m_hWnd);
        RECT band = client;
        band.top = kIconSize;
        const RECT caption = MeasureCaption(dc, text, band);
        ::ReleaseDC(m_hWnd, dc);
        HRGN textPart = ::CreateRectRgnIndirect(&caption);
        ::CombineRgn(shape, shape, textPart, RGN_OR);
        ::DeleteObject(textPart);
    }
    // The window owns the region from here on.
    const int result = ::SetWindowRgn(m_hWnd, shape, TRUE) != 0;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

void CSeatItemWnd::SetState(int state, uint32_t address)
{
    m_previousState = m_state;
    m_state = state;
    if (state == kq::kSeatOffline) {
        m_selected = 0;
        m_address = 0;
    }
    if (address != 0)
        m_address = address;
}

void CSeatItemWnd::RestoreState()
{
    m_state = m_previousState;
    if (m_state == kq::kSeatOffline)
        m_selected = 0;
}

void CSeatItemWnd::SetSelected(int flag, BOOL repaint)
{
    if (m_state == kq::kSeatOffline)
        return;
    if ((flag != 0) != (m_selected != 0)) {
        m_selected = flag != 0;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    if (repaint)
        RepaintOnMap();
}

int CSeatItemWnd::SetCaption(const std::string& text)
{
    const std::string caption = m_name + ":" + text;
    char current[kMaxCaption] = {};
    ::GetWindowTextA(m_hWnd, current, kMaxCaption);
    if (::lstrcmpiA(current, caption.c_str()) == 0)
        return 1;
    ::SetWindowTextA(m_hWnd, caption.c_str());
    return BuildShape(caption);
}

int CSeatItemWnd::RestoreCaption()
{
    char current[kMaxCaption] = {};
    ::GetWindowTextA(m_hWnd, current, kMaxCaption);
    if (m_name != current) {
        ::SetWindowTextA(m_hWnd, m_name.c_str());
        BuildShape(m_name);
        RepaintOnMap();
    }
    return 1;
}

void CSeatItemWnd::RepaintOnMap()
{
    HWND map = ::GetParent(m_hWnd);
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    ::MapWindowPoints(nullptr, map, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(map, &area, TRUE);
    ::UpdateWindow(map);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void CSeatItemWnd::Paint(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (HasImage(m_state)) {
        const UINT style = (m_selected && m_state > kq::kSeatOffline) ? ILD_SELECTED : ILD_NORMAL;
        ImageList_Draw(m_imageList, m_state, dc, (client.right - kIconSize) / 2, 0, style);
    }
    char text[kMaxCaption] = {};
    const int length = ::GetWindowTextA(m_hWnd, text, kMaxCaption);
    if (length <= 0)
        return;
    const RECT band = {0, kIconSize, kWidth, kHeight};
    RECT caption = MeasureCaption(dc, text, band);
    HGDIOBJ oldFont = m_font ? ::SelectObject(dc, m_font) : nullptr;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour;
    if (m_selected) {
        ::FillRect(dc, &caption, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    ::DrawTextA(dc, text, length, &caption, kCaptionFormat);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    if (oldFont)
        ::SelectObject(dc, oldFont);
}

LRESULT CSeatItemWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* map = GetParent();
    const WPARAM stateAndSeat = MAKELONG(m_state, GetSeatNumber());
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        Paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (map) {
            // Sent, so the map has made the selection before the main window reacts.
            map->SendMessage(WM_COMMAND, MAKELONG(GetSeatNumber(), kClickCode), reinterpret_cast<LPARAM>(m_hWnd));
            if (m_state > kq::kSeatOffline && map->GetParent())
                map->GetParent()->PostMessage(kSeatClickedMessage, MAKELONG(m_state, GetSeatNumber()), 0);
        }
        break;
    case WM_RBUTTONUP:
        if (map) {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(m_hWnd, &pt);
            map->SendMessage(kSeatMenuMessage, stateAndSeat, MAKELONG(pt.x, pt.y));
            if (m_state > kq::kSeatOffline && map->GetParent())
                map->GetParent()->PostMessage(kSeatClickedMessage, MAKELONG(m_state, GetSeatNumber()), 0);
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
