#include "standins/snarewell/CursorPlanes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

bool Bit(const uint8_t* plane, int x, int y)
{
    return (plane[y * 4 + x / 8] & (0x80 >> (x % 8))) != 0;
}

kq::CursorImage Blank(int side, bool monochrome)
{
    kq::CursorImage image;
    image.width = image.height = side;
    const size_t pixels = static_cast<size_t>(side) * side;
    image.mask.assign(monochrome ? 2 * pixels : pixels, kBlack);
    if (!monochrome)
        image.color.assign(pixels, kBlack);
    return image;
}

TEST(CursorPlanes, MonochromePlanesPassThroughBitForBit)
{
    kq::CursorImage image = Blank(32, true);
    image.hotSpotX = 3;
    image.hotSpotY = 7;
    // Row 0 transparent; pixel (5, 9) white; pixel (6, 9) inverting.
    for (int x = 0; x < 32; ++x)
        image.mask[x] = kWhite;
    image.mask[32 * 32 + 9 * 32 + 5] = kWhite;
    image.mask[9 * 32 + 6] = kWhite;
    image.mask[32 * 32 + 9 * 32 + 6] = kWhite;

    kq::CursorShape shape = {};
    ASSERT_TRUE(kq::FillCursorShape(image, shape));
    EXPECT_EQ(shape.hotSpotX, 3u);
    EXPECT_EQ(shape.hotSpotY, 7u);
    const uint8_t fullRow[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(shape.andPlane, fullRow, 4), 0);
    EXPECT_FALSE(Bit(shape.andPlane, 5, 9));
    EXPECT_TRUE(Bit(shape.xorPlane, 5, 9));
    EXPECT_TRUE(Bit(shape.andPlane, 6, 9));
    EXPECT_TRUE(Bit(shape.xorPlane, 6, 9));
    EXPECT_FALSE(Bit(shape.xorPlane, 7, 9));
}

TEST(CursorPlanes, ColourPixelsBecomeBlackWhiteOrTransparent)
{
    struct Case {
        const char* what;
        uint32_t color;
        uint32_t mask;
        bool transparent, white;
    };
    const Case cases[] = {
        // With an alpha channel the alpha decides, the brightness colours.
        {"opaque white", 0xFFFFFFFF, kBlack, false, true},
        {"opaque dark blue", 0xFF000080, kBlack, false, false},
        {"clear", 0x10FFFFFF, kBlack, true, false},
        // Without alpha the mask decides.
        {"masked black", 0x00000000, kWhite, true, false},
        {"masked colour inverts", 0x00FF0000, kWhite, true, true},
        {"drawn light grey", 0x00C0C0C0, kBlack, false, true},
    };
    for (const Case& c : cases) {
        kq::CursorImage image = Blank(32, false);
        image.color[0] = c.color;
        image.mask[0] = c.mask;
        if (c.color >> 24) // keep the rest of an alpha cursor clear
            for (size_t i = 1; i < image.color.size(); ++i)
                image.color[i] = 0x01000000;
        kq::CursorShape shape = {};
        ASSERT_TRUE(kq::FillCursorShape(image, shape)) << c.what;
        EXPECT_EQ(Bit(shape.andPlane, 0, 0), c.transparent) << c.what;
        EXPECT_EQ(Bit(shape.xorPlane, 0, 0), c.white) << c.what;
    }
}

TEST(CursorPlanes, LargerCursorsAreScaledToThirtyTwo)
{
    kq::CursorImage image = Blank(64, true);
    image.hotSpotX = 40;
    image.hotSpotY = 200; // outside: held to the edge
    image.mask[64 * 64 + 2 * 64 + 2] = kWhite; // pixel (2, 2) lands on (1, 1)

    kq::CursorShape shape = {};
    ASSERT_TRUE(kq::FillCursorShape(image, shape));
    EXPECT_EQ(shape.hotSpotX, 20u);
    EXPECT_EQ(shape.hotSpotY, 31u);
    EXPECT_TRUE(Bit(shape.xorPlane, 1, 1));
    EXPECT_FALSE(Bit(shape.xorPlane, 2, 2));
}

TEST(CursorPlanes, InconsistentImagesWriteNothing)
{
    kq::CursorImage shortMask = Blank(32, true);
    shortMask.mask.resize(32 * 32); // a monochrome mask needs both planes
    kq::CursorImage shortColour = Blank(32, false);
    shortColour.color.pop_back();
    kq::CursorImage empty;
    kq::CursorImage huge = Blank(32, true);
    huge.width = 100000;

    for (const kq::CursorImage* image : {&shortMask, &shortColour, &empty, &huge}) {
        kq::CursorShape shape = {};
        shape.hotSpotX = 77;
        EXPECT_FALSE(kq::FillCursorShape(*image, shape));
        EXPECT_EQ(shape.hotSpotX, 77u);
    }
}

} // namespace
