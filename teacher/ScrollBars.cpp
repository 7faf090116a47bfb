#include "teacher/ScrollBars.h"

#include <algorithm>

namespace kq {

SCROLLINFO ScrollState(HWND window, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(window, bar, &info))
        info = {};
    return info;
}

int ScrollAmount(UINT code, UINT pos, int current, int line, int page, int maximum)
{
    switch (code) {
    case SB_LINEUP: return -line;
    case SB_LINEDOWN: return line;
    case SB_PAGEUP: return -page;
    case SB_PAGEDOWN: return page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return static_cast<int>(pos) - current;
    case SB_TOP: return -current;
    case SB_BOTTOM: return maximum - current;
    default: return 0;
    }
}

int SeatScrollAmount(HWND window, int bar, UINT code, UINT pos)
{
    const SCROLLINFO info = ScrollState(window, bar);
    const bool horizontal = bar == SB_HORZ;
    return ScrollAmount(code, pos, info.nPos, horizontal ? kSeatScrollLineX : kSeatScrollLineY,
                        horizontal ? kSeatScrollPageX : kSeatScrollPageY, info.nMax);
}

void FitScrollBars(HWND window, int extentWidth, int extentHeight)
{
    RECT client;
    ::GetClientRect(window, &client);
    const struct {
        int bar;
        int clientSize;
        int extentSize;
    } bars[] = {{SB_VERT, client.bottom, extentHeight}, {SB_HORZ, client.right, extentWidth}};
    for (const auto& b : bars) {
        if (b.clientSize < b.extentSize) {
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE;
            info.nMax = b.extentSize;
            info.nPage = static_cast<UINT>(b.clientSize);
            ::SetScrollInfo(window, b.bar, &info, TRUE);
            ::ShowScrollBar(window, b.bar, TRUE);
        } else {
            ::ShowScrollBar(window, b.bar, FALSE);
        }
    }
}

int ScrollContentsBy(HWND window, int bar, int amount)
{
    const SCROLLINFO info = ScrollState(window, bar);
    if (info.cbSize == 0)
        return 0;
    const int limit = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    const int pos = std::clamp(info.nPos + amount, 0, limit);
    const int moved = pos - info.nPos;
    if (moved == 0)
        return 0;
    ::SetScrollPos(window, bar, pos, TRUE);
    const int dx = bar == SB_HORZ ? -moved : 0;
    const int dy = bar == SB_VERT ? -moved : 0;
    ::ScrollWindowEx(window, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    return moved;
}

} // namespace kq
