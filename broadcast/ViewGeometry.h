#pragma once
// The viewer's arithmetic, without Win32: where a view sits on the screen,
// how a 1:1 frame is cut into bands, and how positions convert between the
// view and the sender's pixels in both directions.

#include <cstdint>

struct ViewRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Cells per row of the grid for a view count: 3 for 9, 4 for 16, else 2.
int32_t GridColumns(uint16_t maxViews);
// The rectangle of grid cell `cell` on a screen; a cell beyond the grid
// takes the last one.
ViewRect GridCell(int32_t cell, uint16_t maxViews, int32_t screenWidth, int32_t screenHeight);

// A 1:1 frame is drawn in this many horizontal bands, top first.
inline constexpr int32_t kFrameBands = 8;
struct FrameBand {
    uint32_t firstRow = 0; // from the top of the picture
    uint32_t rows = 0;
};
// Band b of a frame `height` rows high; the last band takes the remainder.
FrameBand BandOf(uint32_t height, int32_t band);
// The band that holds picture row `y` (the last band for rows past it).
int32_t BandOfRow(uint32_t height, int32_t y);

// A point of the view (client coordinates) in the sender's pixels; a 1:1
// view is unchanged. A view without area gives 0.
int32_t ViewToSender(int32_t viewCoordinate, int32_t viewSize, uint32_t senderSize);
// A sender pixel in the view's coordinates.
int32_t SenderToView(int32_t senderCoordinate, int32_t viewSize, uint32_t senderSize);

// A received mouse position as the absolute 0..65535 coordinate of the
// system's mouse input; 0 when the frame size is unknown.
uint32_t AbsoluteMouseCoordinate(int32_t coordinate, uint32_t frameSize);
