#pragma once
// Copying one capture area out of a locked surface into a caller's buffer.
//
// Rows are delivered bottom-up (the area's lowest screen row first), as in a
// bottom-up device-independent bitmap. Only pixels inside the surface are
// read; columns and rows of the area beyond the surface are delivered as
// zeros.

#include "capture/CaptureGeometry.h"
#include "capture/PixelConversion.h"

#include <cstddef>
#include <cstdint>

namespace kq::capture {

// A locked surface: its top row's address, the bytes from one row to the
// next, its size and its pixel format.
struct SurfaceView {
    const uint8_t* pixels;
    ptrdiff_t pitch;
    int width;
    int height;
    int bitsPerPixel;
    uint32_t greenMask;
};

enum class Delivery {
    DisplayDepth, // the display's own format; 32 bits become 24, 16 bits 5-5-5
    Bgr24,        // always blue, green, red
};

// Bits per pixel of what a delivery produces at a display depth.
int DeliveredBitsPerPixel(int displayBits, Delivery delivery);

// Bytes a buffer needs for `area`: the palette the display-depth delivery
// puts first at 8 bits or fewer, then the rows.
size_t DeliveredBytes(const CaptureArea& area, int displayBits, Delivery delivery);

// Entries of the system palette that a depth of 8 bits or fewer uses.
size_t PaletteEntriesFor(int displayBits);

// Copies `area` (which starts on the surface: x and y not negative) into `out`.
// `palette` holds PaletteEntriesFor(depth) entries when the depth is 8 bits or
// fewer. Returns false, writing nothing, when the depth cannot be delivered.
bool CopyArea(const SurfaceView& surface, const CaptureArea& area, Delivery delivery,
              const PaletteEntry* palette, uint8_t* out);

} // namespace kq::capture
