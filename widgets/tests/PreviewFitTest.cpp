// The picture preview: where a picture goes in the box, and its texts.

#include "widgets/PreviewFit.h"

#include <gtest/gtest.h>

namespace {

using kq::PreviewRect;

bool operator==(const PreviewRect& a, const PreviewRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PreviewFit, KeepsThePicturesShapeCentredInTheBox)
{
    const struct {
        int width, height;
        PreviewRect box;
        PreviewRect fit;
    } cases[] = {
        {200, 100, {0, 0, 100, 100}, {0, 25, 100, 75}},        // wide: full width, centred down
        {100, 200, {0, 0, 100, 100}, {25, 0, 75, 100}},        // tall: full height, centred across
        {50, 50, {10, 20, 110, 100}, {20, 20, 100, 100}},      // square goes by the height
        {3, 2, {0, 0, 100, 100}, {0, 17, 100, 83}},            // 66 high, spare 34 -> 17
        {300, 1, {5, 5, 105, 55}, {5, 30, 105, 30}},           // a line of no height
        {60000, 50000, {0, 0, 60000, 60000}, {0, 5000, 60000, 55000}}, // no overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        PreviewRect fit = {-1, -1, -1, -1};
        ASSERT_TRUE(kq::FitPreview(c.width, c.height, c.box, fit));
        EXPECT_TRUE(fit == c.fit) << fit.left << "," << fit.top << "," << fit.right << "," << fit.bottom;
    }
}

TEST(PreviewFit, AnEmptyPictureOrBoxDrawsNothing)
{
    PreviewRect fit = {1, 2, 3, 4};
    EXPECT_FALSE(kq::FitPreview(0, 100, {0, 0, 100, 100}, fit));
    EXPECT_FALSE(kq::FitPreview(100, 0, {0, 0, 100, 100}, fit));
    EXPECT_FALSE(kq::FitPreview(100, 100, {0, 0, 0, 100}, fit));
    EXPECT_FALSE(kq::FitPreview(100, 100, {0, 50, 100, 10}, fit));
    EXPECT_TRUE(fit == (PreviewRect{1, 2, 3, 4}));
}

TEST(PreviewFit, TextsDescribeDepthSizeAndFile)
{
    const struct {
        int bits;
        const char* text;
    } colours[] = {
        {1, "Colors: 2 (monochrome)"}, {4, "Colors: 16"}, {8, "Colors: 256"}, {16, "Colors: 65,536"},
        {24, "Colors: 16 millions"},   {32, ""},          {0, ""},            {2, ""},
    };
    for (const auto& c : colours)
        EXPECT_EQ(kq::PreviewColourText(c.bits), c.text) << c.bits;
    EXPECT_EQ(kq::PreviewWidthText(640), "Width: 640 pixels");
    EXPECT_EQ(kq::PreviewHeightText(480), "Height: 480 pixels");
    EXPECT_EQ(kq::PreviewSizeText(1023), "Size: 0 Kb");
    EXPECT_EQ(kq::PreviewSizeText(921654), "Size: 900 Kb");
    EXPECT_EQ(kq::PreviewSizeText(5ull << 40), "Size: 5368709120 Kb");
}

} // namespace
