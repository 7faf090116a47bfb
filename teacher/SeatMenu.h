#pragma once
// The items of the seat map's context menu: which of the main window's
// commands a right click offers, by what the classroom is doing, the state
// of the seat under the pointer and the page of command panels shown. No
// Win32: the seat map turns the items into an owner-drawn menu.

#include <vector>

namespace kq {

struct SeatMenuItem {
    unsigned textId;  // string of the resource module
    unsigned command; // the main window's command id
    int iconId;       // 16 x 16 icon of the resource module
};

// The seat state the background menu is built for.
inline constexpr int kBackgroundMenuState = -1;
// The most items one menu holds (the seat map keeps this many records).
inline constexpr int kSeatMenuCapacity = 13;

// The items in menu order; empty for an empty menu.
std::vector<SeatMenuItem> SeatMenuItems(int activityState, int seatState, int firstPanelShown);

} // namespace kq
