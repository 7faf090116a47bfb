#pragma once
// Turns a cursor's bitmaps, read as 32-bit pixels, into the 32 x 32
// monochrome shape of the shared cursor record. Portable.

#include "common/CursorShape.h"

#include <cstdint>
#include <vector>

namespace kq {

struct CursorImage {
    int width = 0;
    int height = 0;           // of the cursor, not of a stacked mask
    uint32_t hotSpotX = 0;
    uint32_t hotSpotY = 0;
    // Pixels top-down as 0x00RRGGBB (the mask: white = 1, black = 0). A
    // monochrome cursor has no colour and a mask of 2 x height rows: the AND
    // plane above the XOR plane. A colour cursor has width x height of each.
    std::vector<uint32_t> mask;
    std::vector<uint32_t> color; // 0xAARRGGBB; empty for a monochrome cursor
};

// Fills the hot spot and the two planes, scaled to 32 x 32 by nearest pixel;
// the reserved bytes are left as they are. False (nothing written) when the
// image's sizes and pixel counts do not agree.
bool FillCursorShape(const CursorImage& image, CursorShape& shape);

} // namespace kq
