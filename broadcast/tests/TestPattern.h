#pragma once
// The picture and the cursor that the wire tests put on the screen, shared
// by the host program that shows them and the tools that check the wire.

#include <cstdint>

namespace kq::test {

struct Rgb {
    uint32_t r, g, b;
};

// Flat squares, two gradients and thin lines like text: a little of
// everything a desktop shows.
inline Rgb PatternPixel(int x, int y)
{
    const uint32_t checker = ((x / 64 + y / 64) % 2) * 160;
    const bool line = (y % 16) < 2 && (x % 128) < 96;
    return {static_cast<uint32_t>(x * 255 / 1279), static_cast<uint32_t>(y * 255 / 1023),
            line ? 0u : checker + 40};
}

inline constexpr int kTestCursorSide = 32;
inline constexpr int kTestHotSpotX = 5;
inline constexpr int kTestHotSpotY = 9;
inline constexpr int kTestPlaneBytes = kTestCursorSide * kTestCursorSide / 8;

struct CursorPlanes {
    uint8_t andPlane[kTestPlaneBytes];
    uint8_t xorPlane[kTestPlaneBytes];
};

// A monochrome cursor no system cursor looks like: rows top-down, 4 bytes a
// row, most significant bit leftmost.
inline CursorPlanes TestCursorPlanes()
{
    CursorPlanes p = {};
    for (int i = 0; i < kTestPlaneBytes; ++i) {
        const int row = i / 4;
        p.andPlane[i] = (row < 8 || row >= 24) ? 0xFF : 0x0F;
        p.xorPlane[i] = (row >= 8 && row < 24) ? (row % 2 != 0 ? 0x50 : 0xA0) : 0x00;
    }
    return p;
}

} // namespace kq::test
