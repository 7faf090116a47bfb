// The portable half of the capture library: geometry, pixel formats and the
// copy out of a locked surface, run natively under the sanitizers.

#include "capture/CaptureGeometry.h"
#include "capture/PixelConversion.h"
#include "capture/SurfaceCopy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace kq::capture;

struct WidenCase {
    int bitsPerPixel;
    KqCaptureRect rect;
    int expectedRight;
};

TEST(CaptureGeometry, WideningMovesTheRightEdgeToWholeGroups)
{
    const WidenCase cases[] = {
        {16, {0, 0, 10, 5}, 12},   // 10 pixels at 16 bits -> 12
        {2, {0, 0, 10, 5}, 16},    // at 2 bits -> 16
        {4, {0, 0, 10, 5}, 16},    // at 4 bits, steps of 8
        {8, {3, 0, 13, 5}, 15},
        {24, {0, 0, 12, 5}, 12},   // already whole
        {32, {100, 0, 101, 5}, 104},
        {16, {10, 0, 0, 5}, 6},    // reversed: the remainder keeps the width's sign
    };
    for (const WidenCase& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        KqCaptureRect rect = c.rect;
        Widen(rect, WideningStep(c.bitsPerPixel));
        EXPECT_EQ(rect.right, c.expectedRight);
        EXPECT_EQ(rect.left, c.rect.left);
    }
}

TEST(CaptureGeometry, RectanglesAreClampedToTheScreen)
{
    KqCaptureRect inside = {10, 20, 30, 40};
    EXPECT_TRUE(ClampToScreen(inside, 1018, 768));
    EXPECT_EQ(inside.right, 30);

    KqCaptureRect overlapping = {-5, -6, 2000, 900};
    EXPECT_TRUE(ClampToScreen(overlapping, 1018, 768));
    EXPECT_EQ(overlapping.left, 0);
    EXPECT_EQ(overlapping.top, 0);
    EXPECT_EQ(overlapping.right, 1018);
    EXPECT_EQ(overlapping.bottom, 768);

    KqCaptureRect beyond = {1100, 0, 1200, 10};
    EXPECT_FALSE(ClampToScreen(beyond, 1018, 768));

    const CaptureArea area = AreaOf({30, 40, 10, 20});
    EXPECT_EQ(area.x, 10);
    EXPECT_EQ(area.y, 20);
    EXPECT_EQ(area.width, 20);
    EXPECT_EQ(area.height, 20);
}

uint16_t Pixel16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

TEST(PixelConversion, FiveSixFiveBecomesFiveFiveFive)
{
    const struct { uint16_t in, out; } cases[] = {
        {0x07E0, 0x03E0}, // pure green
        {0xF800, 0x7C00}, // pure red
        {0x001F, 0x001F}, // pure blue
        {0xFFFF, 0x7FFF},
        {0x0020, 0x0000}, // green's lowest bit is dropped
    };
    // Odd count: the last pixel is not half of a 32-bit word.
    std::vector<uint8_t> pixels;
    for (const auto& c : cases) {
        pixels.push_back(static_cast<uint8_t>(c.in));
        pixels.push_back(static_cast<uint8_t>(c.in >> 8));
    }
    Convert565To555(pixels.data(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Pixel16(&pixels[i * 2]), cases[i].out) << i;
}

TEST(PixelConversion, SixteenBitsBecomeBlueGreenRed)
{
    const struct {
        uint16_t pixel;
        bool is565;
        uint8_t b, g, r;
    } cases[] = {
        {0xFFFF, true, 0xF8, 0xFC, 0xF8},
        {0xFFFF, false, 0xF8, 0xF8, 0xF8},
        {0xF800, true, 0x00, 0x00, 0xF8},
        {0x7C00, false, 0x00, 0x00, 0xF8},
        {0x07E0, true, 0x00, 0xFC, 0x00},
        {0x03E0, false, 0x00, 0xF8, 0x00},
        {0x001F, true, 0xF8, 0x00, 0x00},
    };
    for (const auto& c : cases) {
        const uint8_t in[2] = {static_cast<uint8_t>(c.pixel), static_cast<uint8_t>(c.pixel >> 8)};
        uint8_t out[3] = {};
        Convert16To24(in, out, 1, c.is565);
        EXPECT_EQ(out[0], c.b) << std::hex << c.pixel;
        EXPECT_EQ(out[1], c.g) << std::hex << c.pixel;
        EXPECT_EQ(out[2], c.r) << std::hex << c.pixel;
    }
}

TEST(PixelConversion, IndexedPixelsAreLookedUpHighBitsFirst)
{
    PaletteEntry palette[256] = {};
    for (int i = 0; i < 256; ++i)
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i + 1), static_cast<uint8_t>(i + 2), 0};
    const uint8_t twoBit[] = {0x1B};       // indices 0, 1, 2, 3
    const uint8_t fourBit[] = {0xA5};      // 10, 5
    const uint8_t eightBit[] = {200};
    uint8_t out[12] = {};

    ASSERT_TRUE(ConvertIndexedTo24(twoBit, out, 4, 2, palette));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out[i * 3], i + 2); // blue first
        EXPECT_EQ(out[i * 3 + 2], i); // red last
    }
    ASSERT_TRUE(ConvertIndexedTo24(fourBit, out, 2, 4, palette));
    EXPECT_EQ(out[2], 10);
    EXPECT_EQ(out[5], 5);
    ASSERT_TRUE(ConvertIndexedTo24(eightBit, out, 1, 8, palette));
    EXPECT_EQ(out[2], 200);
    EXPECT_FALSE(ConvertIndexedTo24(eightBit, out, 1, 1, palette));
}

// A surface whose memory ends exactly after its last row, so that any read
// past it is caught by the address sanitizer. Pixel (x, y) holds bytes
// derived from x and y.
struct FakeSurface {
    FakeSurface(int width, int height, int bitsPerPixel, uint32_t greenMask = 0)
        : pitch(RowBytes(width, bitsPerPixel)), memory(pitch * height)
    {
        view = {memory.data(), static_cast<ptrdiff_t>(pitch), width, height, bitsPerPixel, greenMask};
        const int bytesPerPixel = bitsPerPixel / 8;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int b = 0; b < bytesPerPixel; ++b)
                    memory[y * pitch + x * bytesPerPixel + b] = static_cast<uint8_t>(x * 7 + y * 3 + b + 1);
    }
    uint8_t At(int x, int y, int b) const { return memory[y * pitch + x * (view.bitsPerPixel / 8) + b]; }

    size_t pitch;
    std::vector<uint8_t> memory;
    SurfaceView view;
};

TEST(SurfaceCopy, DeliversRowsBottomUpAndZeroesWhatLiesBeyondTheSurface)
{
    // A 1018-wide 32-bit screen: a rectangle reaching its right edge is
    // widened 2 pixels past it; the bottom row is the surface's last.
    FakeSurface surface(1018, 6, 32);
    KqCaptureRect rect = {1008, 3, 1018, 6};
    Widen(rect, WideningStep(32));
    ASSERT_EQ(rect.right, 1020);
    const CaptureArea area = AreaOf(rect);

    std::vector<uint8_t> out(DeliveredBytes(area, 32, Delivery::DisplayDepth), 0xCC);
    ASSERT_EQ(out.size(), 3u * 12 * 3);
    ASSERT_TRUE(CopyArea(surface.view, area, Delivery::DisplayDepth, nullptr, out.data()));

    for (int r = 0; r < 3; ++r) {
        const int y = 5 - r; // first row delivered is the lowest
        const uint8_t* row = &out[r * 36];
        for (int i = 0; i < 10; ++i)
            for (int b = 0; b < 3; ++b)
                ASSERT_EQ(row[i * 3 + b], surface.At(1008 + i, y, b)) << r << " " << i;
        for (int i = 30; i < 36; ++i)
            EXPECT_EQ(row[i], 0) << "widened column, row " << r;
    }
}

TEST(SurfaceCopy, FormatsByDeliveryAndDepth)
{
    // 16-bit 5-6-5: display depth delivers 5-5-5, the 24-bit delivery BGR.
    FakeSurface surface(4, 1, 16, kGreenMask565);
    const uint16_t pixels[4] = {0x07E0, 0xF800, 0xFFFF, 0x001F};
    std::memcpy(surface.memory.data(), pixels, sizeof pixels);
    const CaptureArea area = {0, 0, 4, 1};

    std::vector<uint8_t> out(DeliveredBytes(area, 16, Delivery::DisplayDepth));
    ASSERT_TRUE(CopyArea(surface.view, area, Delivery::DisplayDepth, nullptr, out.data()));
    EXPECT_EQ(Pixel16(&out[0]), 0x03E0);
    EXPECT_EQ(Pixel16(&out[2]), 0x7C00);
    EXPECT_EQ(Pixel16(&out[4]), 0x7FFF);

    std::vector<uint8_t> bgr(DeliveredBytes(area, 16, Delivery::Bgr24));
    ASSERT_EQ(bgr.size(), 12u);
    ASSERT_TRUE(CopyArea(surface.view, area, Delivery::Bgr24, nullptr, bgr.data()));
    EXPECT_EQ(bgr[6], 0xF8);
    EXPECT_EQ(bgr[7], 0xFC);
    EXPECT_EQ(bgr[8], 0xF8);

    // 8 bits at display depth: the 1024 palette bytes, red first, then indices.
    FakeSurface indexed(4, 1, 8);
    PaletteEntry palette[256] = {};
    palette[1] = {0x11, 0x22, 0x33, 0};
    const CaptureArea small = {0, 0, 4, 1};
    std::vector<uint8_t> withPalette(DeliveredBytes(small, 8, Delivery::DisplayDepth));
    ASSERT_EQ(withPalette.size(), 1024u + 4);
    ASSERT_TRUE(CopyArea(indexed.view, small, Delivery::DisplayDepth, palette, withPalette.data()));
    EXPECT_EQ(withPalette[4], 0x11);
    EXPECT_EQ(withPalette[1024], indexed.At(0, 0, 0));

    // A depth that the 24-bit delivery cannot read writes nothing.
    FakeSurface odd(4, 1, 12);
    EXPECT_FALSE(CopyArea(odd.view, small, Delivery::Bgr24, nullptr, out.data()));
}

} // namespace
