#pragma once
// Scrolling a window whose children lie on an extent larger than its client
// area: the seat map and the seat editor's grid. The scroll bars show the
// part of the extent in view; scrolling moves the children with the contents.

#include <windows.h>

namespace kq {

// The steps of the seat map's scroll bars, which the seat editor's grid
// shares: one line is a seat's size, a page two of them horizontally and
// a seat and a third vertically.
inline constexpr int kSeatScrollLineX = 72;
inline constexpr int kSeatScrollLineY = 48;
inline constexpr int kSeatScrollPageX = 144;
inline constexpr int kSeatScrollPageY = 64;

// The whole state of one of `window`'s scroll bars; all zero when it has none.
SCROLLINFO ScrollState(HWND window, int bar);

// The pixels a scroll bar notification asks to move (negative: up or left).
int ScrollAmount(UINT code, UINT pos, int current, int line, int page, int maximum);
// The same for `window`'s bar `bar` with the seat map's steps.
int SeatScrollAmount(HWND window, int bar, UINT code, UINT pos);

// Shows each bar whose client size is below the extent's, with the client
// size as its page, and hides the other.
void FitScrollBars(HWND window, int extentWidth, int extentHeight);

// Moves `bar`'s position by `amount`, kept within its range, and scrolls the
// contents and children the other way (repainting later). Returns how far
// the position moved; 0 when the window has no such bar.
int ScrollContentsBy(HWND window, int bar, int amount);

} // namespace kq
