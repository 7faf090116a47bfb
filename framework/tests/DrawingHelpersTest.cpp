// The framework's helpers beside the platform's classes: drawing a bitmap of
// the resource source at a place, and the stopwatch.

#include "framework/BitmapDrawing.h"
#include "framework/ClientDC.h"
#include "framework/Stopwatch.h"
#include "framework/tests/gdi_res/GdiTestResources.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

TEST(BitmapDrawing, DrawsTheTopLeftBlockOfAResourceBitmapWhereAsked)
{
    CClientDC screen(nullptr);
    CDC canvas;
    CBitmap pixels;
    ASSERT_TRUE(canvas.CreateCompatibleDC(&screen));
    ASSERT_TRUE(pixels.CreateCompatibleBitmap(&screen, 12, 8));
    CBitmap* previous = canvas.SelectObject(&pixels);
    canvas.PatBlt(0, 0, 12, 8, WHITENESS);

    // The strip's left image is red with a magenta corner; its right one blue.
    ASSERT_TRUE(kq::DrawBitmapResource(canvas, IDB_TEST_STRIP, 4, 4, 3, 2));
    EXPECT_EQ(canvas.GetPixel(3, 2), kMagenta) << "the bitmap's corner at (3, 2)";
    EXPECT_EQ(canvas.GetPixel(6, 5), kRed);
    EXPECT_EQ(canvas.GetPixel(7, 2), kWhite) << "only 4 columns";
    EXPECT_EQ(canvas.GetPixel(2, 2), kWhite);
    EXPECT_EQ(canvas.GetPixel(3, 6), kWhite) << "only 4 rows";

    EXPECT_FALSE(kq::DrawBitmapResource(canvas, IDB_TEST_MISSING, 4, 4));
    EXPECT_FALSE(kq::DrawBitmapResource(canvas, 0, 4, 4));
    EXPECT_EQ(canvas.GetPixel(0, 0), kWhite) << "nothing drawn for them";
    canvas.SelectObject(previous);
}

TEST(Stopwatch, LapsAreTheMillisecondsBetweenThem)
{
    CStopwatch clock;
    ::Sleep(60);
    const double first = clock.Lap();
    EXPECT_GE(first, 50.0);
    EXPECT_LT(first, 5000.0);
    const double second = clock.Lap();
    EXPECT_GE(second, 0.0);
    EXPECT_LT(second, first) << "a lap starts at the previous one";
    ::Sleep(60);
    clock.Restart();
    EXPECT_LT(clock.Lap(), first) << "a restart drops the time before it";
}

} // namespace
