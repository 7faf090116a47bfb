// A stretched view under a moving remote cursor and pointer: after every
// cursor message the view must look exactly as a whole redraw of the frame
// with the cursor at its new place would make it (no trail, nothing torn).
// Also prints what one cursor message costs.

#include "broadcast/MirageEngineState.h"
#include "broadcast/ScreenReceiverWnd.h"
#include "broadcast/tests/TestPattern.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

constexpr uint8_t kFrameBits = 24;
constexpr uint16_t kViewFullScreen = 3;
constexpr uint16_t kViewWindowed = 4;
constexpr uint16_t kFourViews = 4;
constexpr int32_t kNotTeachingDemo = 1; // a teaching demonstration throttles stretched frames
constexpr uint16_t kDrawPointer = 2;
constexpr int kTimedMessages = 200;
constexpr int kTimedStep = 7;
constexpr double kMsPerSecond = 1000.0;

// Two stretched views of the 1024 x 768 test screen: a 1024 x 768 frame in
// the first cell of the four-view grid, and a larger screen's frame shown
// full screen.
struct Layout {
    const char* name;
    uint32_t frameWidth;
    uint32_t frameHeight;
    uint16_t viewState;
};
const Layout kLayouts[] = {
    {"1024x768 frame in a quarter cell", 1024, 768, kViewWindowed},
    {"1280x1024 frame full screen", 1280, 1024, kViewFullScreen},
};

// The engine state of a viewer showing one 24-bit frame in view 0.
class StretchedView {
public:
    explicit StretchedView(const Layout& layout)
        : m_frame(static_cast<size_t>(layout.frameWidth) * layout.frameHeight * 3)
    {
        const uint32_t width = layout.frameWidth;
        const uint32_t height = layout.frameHeight;
        for (uint32_t row = 0; row < height; ++row)
            for (uint32_t x = 0; x < width; ++x) {
                const kq::test::Rgb c = kq::test::PatternPixel(static_cast<int>(x), static_cast<int>(row));
                uint8_t* p = m_frame.data() + (static_cast<size_t>(height - 1 - row) * width + x) * 3;
                p[0] = static_cast<uint8_t>(c.b);
                p[1] = static_cast<uint8_t>(c.g);
                p[2] = static_cast<uint8_t>(c.r);
            }
        MirageEngineState& s = EngineState();
        s.frameBuffer = m_frame.data();
        s.frameBufferSize = static_cast<uint32_t>(m_frame.size());
        s.frameWidth = width;
        s.frameHeight = height;
        s.frameBpp = kFrameBits;
        s.viewState = layout.viewState;
        s.maxViews = kFourViews;
        s.modeKind = kNotTeachingDemo;
        s.showRemoteCursor = 1;
        s.pointerRole = kDrawPointer;
        View(0).SetCell(0);
        created = View(0).CreateView();
    }
    ~StretchedView()
    {
        View(0).DestroyView();
        View(0).DestroyWindow();
        MirageEngineState& s = EngineState();
        s.frameBuffer = nullptr;
        s.frameBufferSize = s.frameWidth = s.frameHeight = 0;
        s.frameBpp = 0;
        s.viewState = 0;
        s.modeKind = 0;
        s.showRemoteCursor = 0;
        s.pointerRole = 0;
    }

    // Both the cursor and the pointer move to (x, y) of the sender's screen.
    static void MoveTo(int32_t x, int32_t y)
    {
        EngineState().cursorX = x;
        EngineState().cursorY = y;
        EngineState().pointerX = x + 40;
        EngineState().pointerY = y + 20;
    }

    // The view's client pixels as 32-bit top-down rows.
    static std::vector<uint32_t> Pixels()
    {
        HWND hwnd = View(0).GetSafeHwnd();
        RECT client;
        ::GetClientRect(hwnd, &client);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC window = ::GetDC(hwnd);
        HDC memory = ::CreateCompatibleDC(window);
        HBITMAP bitmap = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        std::vector<uint32_t> pixels(first, first + static_cast<size_t>(client.right) * client.bottom);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(hwnd, window);
        return pixels;
    }

    bool created = false;

private:
    std::vector<uint8_t> m_frame;
};

size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    if (a.size() != b.size())
        return a.size() + b.size();
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

TEST(StretchedView, CursorMessagesLeaveTheViewAsAWholeRedrawWould)
{
    struct Move {
        const char* name;
        int32_t x;
        int32_t y;
    };
    const Move moves[] = {
        {"a step that overlaps the last place", 110, 105},
        {"a jump across the view", 900, 700},
        {"into the corner, partly outside", 1020, 760},
        {"to the origin", 0, 0},
        {"to the middle", 512, 384},
        {"back to the start", 100, 100},
    };
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        StretchedView view(layout);
        ASSERT_TRUE(view.created);
        RECT client;
        ::GetClientRect(View(0).GetSafeHwnd(), &client);
        ASSERT_LT(client.right, static_cast<LONG>(layout.frameWidth)) << "the view must be stretched";

        StretchedView::MoveTo(100, 100);
        View(0).DrawFrame();
        const std::vector<uint32_t> withCursorAt100 = StretchedView::Pixels();
        for (const Move& m : moves) {
            StretchedView::MoveTo(m.x, m.y);
            View(0).DrawPointer();
            const std::vector<uint32_t> moved = StretchedView::Pixels();
            View(0).DrawFrame();
            EXPECT_EQ(Differences(moved, StretchedView::Pixels()), 0u) << m.name;
        }
        // The cursor was drawn at all: the view differs from one without it.
        EngineState().showRemoteCursor = 0;
        EngineState().pointerRole = 0;
        View(0).DrawFrame();
        EXPECT_GT(Differences(withCursorAt100, StretchedView::Pixels()), 0u);
    }
}

TEST(StretchedView, CostOfOneCursorMessage)
{
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        StretchedView view(layout);
        ASSERT_TRUE(view.created);
        StretchedView::MoveTo(0, 0);
        View(0).DrawFrame();
        LARGE_INTEGER frequency, start, end;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        for (int i = 0; i < kTimedMessages; ++i) {
            StretchedView::MoveTo(i * kTimedStep % layout.frameWidth, i * kTimedStep / 2 % layout.frameHeight);
            View(0).DrawPointer();
            ::GdiFlush();
        }
        ::QueryPerformanceCounter(&end);
        const double ms = static_cast<double>(end.QuadPart - start.QuadPart) * kMsPerSecond /
                          static_cast<double>(frequency.QuadPart) / kTimedMessages;
        std::printf("%s, one cursor message: %.3f ms\n", layout.name, ms);
        // The view still shows the frame with the cursor at its last place.
        const std::vector<uint32_t> last = StretchedView::Pixels();
        View(0).DrawFrame();
        EXPECT_EQ(Differences(last, StretchedView::Pixels()), 0u);
    }
}

} // namespace
