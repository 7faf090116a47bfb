#pragma once
// What a window of another process shows on the screen, compared with what
// the resource module's bitmaps and icons look like: a button's face, and
// the state a seat's icon shows.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace kqtest {

// The pixels of `inClient` (client coordinates of `window`) as the screen
// shows them, row by row.
std::vector<COLORREF> ScreenPixels(HWND window, const RECT& inClient);

// True when the button shows bitmap `face` of `resources` (its middle row)
// within `ms`: it repaints in its own time.
bool ShowsFace(HWND button, HMODULE resources, UINT face, DWORD ms = 3000);

// Tells the seat states apart by their icons, drawn as the seat map draws
// them (32 x 32, 8-bit colour, masked), plain or selected.
class SeatIcons {
public:
    // `states`: each state to tell apart and its icon in `resources`.
    SeatIcons(HMODULE resources, const std::vector<std::pair<int, UINT>>& states);
    ~SeatIcons();
    SeatIcons(const SeatIcons&) = delete;
    SeatIcons& operator=(const SeatIcons&) = delete;

    // The state whose icon the seat window shows, or -1.
    int Shown(HWND seat) const;

private:
    struct Look {
        int state;
        std::vector<COLORREF> pixels;
    };
    std::vector<Look> m_looks;
};

} // namespace kqtest
