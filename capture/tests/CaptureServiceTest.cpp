// KqGetBmp.dll on a real (Xvfb) screen: a full-screen window paints a known
// pattern and every capture code must deliver it in its own format. Run by
// CaptureDisplays.sh on screens of several depths and widths.

#include "common/KqCaptureRequest.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// The pattern: every channel a multiple of 8, so that a 16-bit screen holds
// it exactly; it changes with every pixel in x and y so that a shifted,
// mirrored or upside-down capture shows.
struct Colour {
    uint8_t r, g, b;
};
Colour PatternAt(int x, int y)
{
    return {static_cast<uint8_t>((x * 8) & 0xF8), static_cast<uint8_t>((y * 8) & 0xF8),
            static_cast<uint8_t>(((x / 32 + y / 32) * 40) & 0xF8)};
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

class PatternWindow {
public:
    PatternWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CapturePattern";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "pattern", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ScreenWidth(), ScreenHeight(), nullptr, nullptr, wc.hInstance, nullptr);
        SetCursor(nullptr);
        UpdateWindow(m_window);
        Pump(500);
    }
    ~PatternWindow() { DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }

    static void Pump(DWORD ms)
    {
        const DWORD end = GetTickCount() + ms;
        while (static_cast<int>(end - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        }
        GdiFlush();
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETCURSOR) {
            SetCursor(nullptr);
            return TRUE;
        }
        if (message != WM_PAINT)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        const int w = ScreenWidth(), h = ScreenHeight();
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Colour c = PatternAt(x, y);
                pixels[static_cast<size_t>(y) * w + x] = (c.r << 16) | (c.g << 8) | c.b;
            }
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
        return 0;
    }

    HWND m_window = nullptr;
};

// Reads pixel (column, row) of a delivered bottom-up image of `width` pixels.
Colour DeliveredAt(const uint8_t* image, int width, int bitsPerPixel, int column, int rowFromBottom)
{
    if (bitsPerPixel == 24) {
        const uint8_t* p = image + static_cast<size_t>(rowFromBottom) * width * 3 + column * 3;
        // Channels widened from fewer bits may carry low bits; the pattern has none.
        return {static_cast<uint8_t>(p[2] & 0xF8), static_cast<uint8_t>(p[1] & 0xF8),
                static_cast<uint8_t>(p[0] & 0xF8)};
    }
    const uint8_t* p = image + static_cast<size_t>(rowFromBottom) * width * 2 + column * 2;
    const unsigned v = p[0] | (p[1] << 8);
    return {static_cast<uint8_t>(((v >> 10) & 0x1F) << 3), static_cast<uint8_t>(((v >> 5) & 0x1F) << 3),
            static_cast<uint8_t>((v & 0x1F) << 3)};
}

// Compares a delivered rectangle with the pattern; columns beyond the screen
// must be zero. Reports the first difference only.
void ExpectPattern(const KqCaptureRect& rect, const uint8_t* image, int bitsPerPixel)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int bytesPerPixel = bitsPerPixel / 8;
    const int screenWidth = ScreenWidth();
    for (int row = 0; row < height; ++row) {
        const int y = rect.bottom - 1 - row;
        for (int column = 0; column < width; ++column) {
            const int x = rect.left + column;
            if (x >= screenWidth) {
                const uint8_t* p = image + (static_cast<size_t>(row) * width + column) * bytesPerPixel;
                for (int b = 0; b < bytesPerPixel; ++b)
                    ASSERT_EQ(p[b], 0) << "padding at x " << x << " y " << y;
                continue;
            }
            const Colour want = PatternAt(x, y);
            const Colour got = DeliveredAt(image, width, bitsPerPixel, column, row);
            ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b)
                << "x " << x << " y " << y << ": got " << int(got.r) << "," << int(got.g) << "," << int(got.b)
                << " want " << int(want.r) << "," << int(want.g) << "," << int(want.b);
        }
    }
}

TEST(CaptureService, RunsOnTheScreenTheScriptStarted)
{
    // The script names the depth the platform should report (a 24-bit X
    // screen shows as 32 bits) and the width.
    const char* bits = std::getenv("KQ_SCREEN_BITS");
    const char* width = std::getenv("KQ_SCREEN_WIDTH");
    ASSERT_NE(bits, nullptr);
    ASSERT_NE(width, nullptr);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), std::atoi(bits));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ScreenWidth(), std::atoi(width));
}

TEST(CaptureService, VersionReleaseAndUnknownCodes)
{
    // Before any set-up, release does nothing and succeeds.
    EXPECT_EQ(KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr), 1);

    KqCaptureVersion version = {0xAAAA, 0xAAAA};
    EXPECT_EQ(KqGetScreen_Service(KQ_CAPTURE_VERSION, &version), 1);
    EXPECT_EQ(version.majorVersion, 0);
    EXPECT_EQ(version.minorVersion, 1);

    uint8_t untouched[32];
    std::memset(untouched, 0x5A, sizeof untouched);
    EXPECT_EQ(KqGetScreen_Service(9, untouched), 0);
    EXPECT_EQ(KqGetScreen_Service(1000, untouched), 0);
    for (uint8_t b : untouched)
        EXPECT_EQ(b, 0x5A);
}

struct CodeCase {
    uint32_t code;
    bool always24;
};

class CaptureCodes : public ::testing::TestWithParam<CodeCase> {
protected:
    static void SetUpTestSuite() { s_window = new PatternWindow; }
    static void TearDownTestSuite()
    {
        delete s_window;
        KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr);
    }
    static PatternWindow* s_window;
};
PatternWindow* CaptureCodes::s_window = nullptr;

TEST_P(CaptureCodes, DeliverThePatternBottomUpInTheirFormat)
{
    const CodeCase c = GetParam();
    const int w = ScreenWidth(), h = ScreenHeight();
    HDC screen = GetDC(nullptr);
    const int displayBits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    const int expectedBits = c.always24 || displayBits > 16 ? 24 : 16;

    // A 10-pixel rectangle, an empty one, the whole screen and a strip that
    // reaches the right edge with a width that is not a multiple of 4.
    KqCaptureRect rects[4] = {{100, 50, 110, 60}, {5, 5, 5, 9}, {0, 0, w, h}, {w - 18, h - 7, w, h}};
    const size_t sizes[4] = {12 * 10 * 3, 16, static_cast<size_t>(w + 3) * h * 3, 20 * 7 * 3};
    std::vector<uint8_t> buffers[4];
    uint8_t* pointers[4];
    for (int i = 0; i < 4; ++i) {
        buffers[i].assign(sizes[i], 0xEE);
        pointers[i] = buffers[i].data();
    }
    KqCaptureRequest request = {rects, pointers, 4, 0};

    ASSERT_EQ(KqGetScreen_Service(c.code, &request), 1);
    EXPECT_EQ(request.bitsPerPixel, expectedBits);
    EXPECT_EQ(rects[0].right, 112) << "10 pixels widen to 12";
    EXPECT_EQ(rects[3].right, w + 2) << "18 pixels widen to 20";
    EXPECT_EQ(rects[2].right, (w + 3) / 4 * 4);
    for (uint8_t b : buffers[1])
        ASSERT_EQ(b, 0xEE) << "an empty rectangle's buffer is not touched";

    for (int i : {0, 2, 3}) {
        SCOPED_TRACE(i);
        ExpectPattern(rects[i], buffers[i].data(), request.bitsPerPixel);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, CaptureCodes,
                         ::testing::Values(CodeCase{KQ_CAPTURE_PRIMARY, false}, CodeCase{KQ_CAPTURE_GDI, false},
                                           CodeCase{KQ_CAPTURE_PRIMARY_24, true}, CodeCase{KQ_CAPTURE_GDI_24, true},
                                           CodeCase{KQ_CAPTURE_OFFSCREEN, false},
                                           CodeCase{KQ_CAPTURE_OFFSCREEN_24, true}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST(CaptureService, SetUpSucceedsAndCountZeroOnlyReportsTheDepth)
{
    ASSERT_EQ(KqGetScreen_Service(KQ_CAPTURE_SET_UP, nullptr), 1);
    for (uint32_t code : {3u, 4u, 5u, 6u, 7u, 8u}) {
        KqCaptureRequest request = {nullptr, nullptr, 0, -1};
        EXPECT_EQ(KqGetScreen_Service(code, &request), 1) << code;
        EXPECT_GT(request.bitsPerPixel, 0) << code;
    }
    EXPECT_EQ(KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr), 1);
}

// Two engines in one process set up, capture and release at the same time:
// every call must find the DirectDraw objects whole.
TEST(CaptureService, CallsFromSeveralThreadsAtOnceAllSucceed)
{
    constexpr int kRounds = 3;
    auto run = [](int* failures) {
        for (int i = 0; i < kRounds; ++i) {
            KqCaptureRequest request = {nullptr, nullptr, 0, -1};
            *failures += KqGetScreen_Service(KQ_CAPTURE_SET_UP, nullptr) != 1;
            *failures += KqGetScreen_Service(KQ_CAPTURE_PRIMARY, &request) != 1;
            *failures += KqGetScreen_Service(KQ_CAPTURE_RELEASE, nullptr) != 1;
        }
    };
    int failures[3] = {};
    std::thread first(run, &failures[0]);
    std::thread second(run, &failures[1]);
    run(&failures[2]);
    first.join();
    second.join();
    EXPECT_EQ(failures[0] + failures[1] + failures[2], 0);
}

} // namespace
