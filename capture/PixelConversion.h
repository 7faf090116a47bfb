#pragma once
// Pixel format conversions of the capture library. Delivered 24-bit pixels are
// blue, green, red; delivered 16-bit pixels are 5-5-5 (blue bits 0-4, green
// 5-9, red 10-14), little-endian.

#include <cstddef>
#include <cstdint>

namespace kq::capture {

// The 16-bit green mask of a 5-6-5 display; any other 16-bit mask is 5-5-5.
inline constexpr uint32_t kGreenMask565 = 0x07E0;

// One system palette entry, in the platform's order.
struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};
static_assert(sizeof(PaletteEntry) == 4);

// Turns 5-6-5 pixels into 5-5-5 in place, dropping green's lowest bit; works
// on two pixels per 32-bit word.
void Convert565To555(uint8_t* pixels, size_t pixelCount);

// 16-bit pixels (5-6-5 when `is565`, else 5-5-5) to blue, green, red bytes.
// The low bits of each 8-bit channel stay zero.
void Convert16To24(const uint8_t* source, uint8_t* target, size_t pixelCount, bool is565);

// 4-byte pixels to their first three bytes (blue, green, red).
void Convert32To24(const uint8_t* source, uint8_t* target, size_t pixelCount);

// Palette indices of 2, 4 or 8 bits (highest bits first within a byte) to
// blue, green, red bytes. Returns false for any other depth.
bool ConvertIndexedTo24(const uint8_t* source, uint8_t* target, size_t pixelCount,
                        int bitsPerPixel, const PaletteEntry* palette);

} // namespace kq::capture
