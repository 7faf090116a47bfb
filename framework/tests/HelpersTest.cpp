// The framework's helpers beside the platform's classes: drawing a bitmap of
// the resource source at a place, the stopwatch, and one object's start of
// Windows Sockets.

#include "framework/BitmapDrawing.h"
#include "framework/ClientDC.h"
#include "framework/Stopwatch.h"
#include "framework/WinsockUse.h"
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

// True while Windows Sockets is started for this process.
bool SocketsStarted()
{
    const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return ::WSAGetLastError() != WSANOTINITIALISED;
    ::closesocket(s);
    return true;
}

TEST(WinsockUse, StartsOnceAndEndsWhatItStarted)
{
    // The socket tests further on leave Windows Sockets started for good.
    if (SocketsStarted())
        GTEST_SKIP() << "Windows Sockets is already started in this program";
    {
        CWinsockUse use;
        EXPECT_FALSE(use.Started());
        EXPECT_EQ(use.Start(CWinsockUse::kVersion11), 0);
        EXPECT_EQ(use.Start(), 0) << "a second start is the first one";
        EXPECT_TRUE(use.Started());
        EXPECT_TRUE(SocketsStarted());

        CWinsockUse other;
        EXPECT_EQ(other.Start(), 0);
        other.Stop();
        other.Stop();
        EXPECT_TRUE(SocketsStarted()) << "another object's end leaves this one's start";
    }
    EXPECT_FALSE(SocketsStarted()) << "the destructor ended it, once";

    CWinsockUse never;
    never.Stop(); // ends nothing it did not start
    EXPECT_FALSE(SocketsStarted());
}

} // namespace
