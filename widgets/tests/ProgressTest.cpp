// The painted progress bar: the done part in the highlight colour from the
// left edge, the rest in its background colour.

#include "widgets/SkinProgress.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(10, 200, 30);
constexpr int kWidth = 200;
constexpr int kHeight = 12;

TEST(SkinProgress, FillsTheDoneShareWithTheHighlightColour)
{
    CSkinProgress bar;
    bar.SetBackColor(kBackground);
    ASSERT_TRUE(bar.Create(WS_VISIBLE, CRect(10, 300, 10 + kWidth, 300 + kHeight), &kqtest::Host(), 1500));
    bar.SetRange32(0, 100);
    bar.SetPos(50);

    kqtest::Canvas canvas(kWidth, kHeight);
    kqtest::PrintClient(bar, canvas);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(highlight, kBackground);
    for (int y : {0, kHeight - 1}) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(canvas.dc.GetPixel(x, y), x < kWidth / 2 ? highlight : kBackground) << x << ", " << y;
        }
    }

    bar.SetRange32(7, 7); // an empty range fills nothing
    kqtest::PrintClient(bar, canvas);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), kBackground);
    EXPECT_EQ(canvas.dc.GetPixel(kWidth - 1, kHeight - 1), kBackground);
}

TEST(SkinProgress, FilledWidthTable)
{
    const struct {
        int lower, upper, position, width;
    } cases[] = {
        {0, 100, 50, 100}, {0, 100, 0, 0},    {0, 100, 100, 200}, {50, 150, 100, 100},
        {5, 5, 5, 0},      {10, 0, 5, 0},     {0, 100, 150, 200}, {0, 100, -20, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CSkinProgress::FilledWidth(kWidth, c.lower, c.upper, c.position), c.width)
            << c.lower << ".." << c.upper << " at " << c.position;
    }
}

} // namespace
