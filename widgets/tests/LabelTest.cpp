// The kit's painted labels and the clock.

#include "widgets/ClockLabel.h"
#include "widgets/SkinLabel.h"
#include "widgets/SkinLabel2.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using kqtest::Canvas;
using kqtest::Host;

constexpr COLORREF kLabelBackground = 0xF9E5AB;
constexpr int kLabelWidth = 120;
constexpr int kLabelHeight = 80;
constexpr const char* kLongText = "Short words wrap onto several lines of this label";

// The ink of one line of text: its first and last inked columns.
struct Line {
    int left;
    int right;
};

// The lines of text on a label painted on `canvas`: runs of rows holding any
// pixel other than the background.
std::vector<Line> InkedLines(Canvas& canvas, int width, int height)
{
    std::vector<Line> lines;
    bool inLine = false;
    for (int y = 0; y < height; ++y) {
        int left = width, right = -1;
        for (int x = 0; x < width; ++x) {
            if (canvas.dc.GetPixel(x, y) != kLabelBackground) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (right < 0) {
            inLine = false;
            continue;
        }
        if (!inLine)
            lines.push_back({left, right});
        inLine = true;
        lines.back().left = std::min(lines.back().left, left);
        lines.back().right = std::max(lines.back().right, right);
    }
    return lines;
}

// What the label shows on the screen.
std::vector<Line> ShownLines(CPaintedLabel& label)
{
    label.Invalidate();
    label.UpdateWindow();
    Canvas canvas(kLabelWidth, kLabelHeight);
    CClientDC screen(&label);
    canvas.dc.BitBlt(0, 0, kLabelWidth, kLabelHeight, &screen, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.dc.GetPixel(kLabelWidth - 1, kLabelHeight - 1), kLabelBackground) << "filled with its colour";
    return InkedLines(canvas, kLabelWidth, kLabelHeight);
}

// A label that puts each word on a line of its own: the line breaking step
// is the one a program replaces.
class WordPerLineLabel : public CPaintedLabel {
public:
    WordPerLineLabel() : CPaintedLabel(0, kq::LabelAlign::ByStyle) {}

protected:
    CString BreakLines(CDC&, const CString& text, const CRect&) override
    {
        CString lines = text;
        lines.Replace(" ", "\n");
        return lines;
    }
};

enum class Expect { Centred, Left, Right };

TEST(SkinLabel, WrapsLongTextAndAlignsEachLine)
{
    const struct {
        const char* name;
        std::function<std::unique_ptr<CPaintedLabel>()> make;
        DWORD style;
        const char* text;
        Expect align;
        size_t minLines;
    } cases[] = {
        {"CSkinLabel centres", [] { return std::make_unique<CSkinLabel>(0); }, SS_CENTER, kLongText, Expect::Centred, 3},
        {"CSkinLabel2 starts at the left", [] { return std::make_unique<CSkinLabel2>(0); }, SS_CENTER, kLongText,
         Expect::Left, 3},
        {"own line breaking, aligned by style", [] { return std::make_unique<WordPerLineLabel>(); }, SS_RIGHT,
         "ab cd", Expect::Right, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CPaintedLabel> label = c.make();
        label->SetBackColor(kLabelBackground);
        ASSERT_TRUE(label->Create(c.text, WS_VISIBLE | c.style, CRect(10, 10, 10 + kLabelWidth, 10 + kLabelHeight),
                                  &Host(), 0xFFFF));
        const std::vector<Line> lines = ShownLines(*label);
        ASSERT_GE(lines.size(), c.minLines);
        int offCentre = 0;
        for (const Line& line : lines) {
            const int leftGap = line.left;
            const int rightGap = kLabelWidth - 1 - line.right;
            switch (c.align) {
            case Expect::Centred:
                EXPECT_LE(std::abs(leftGap - rightGap), 2) << line.left << ".." << line.right;
                offCentre = std::max(offCentre, leftGap);
                break;
            case Expect::Left:
                EXPECT_LE(leftGap, 1);
                break;
            case Expect::Right:
                EXPECT_LE(rightGap, 2);
                EXPECT_GT(leftGap, kLabelWidth / 2);
                break;
            }
        }
        if (c.align == Expect::Centred) {
            EXPECT_GT(offCentre, 4) << "some line is shorter than the label";
        }
    }
}

TEST(ClockLabel, FormatsTheTimeAsHoursMinutesSeconds)
{
    const struct {
        WORD hour, minute, second;
        const char* shown;
    } cases[] = {
        {9, 5, 3, "09:05:03"}, {23, 59, 59, "23:59:59"}, {0, 0, 0, "00:00:00"}, {12, 0, 7, "12:00:07"},
    };
    for (const auto& c : cases) {
        SYSTEMTIME time = {};
        time.wHour = c.hour;
        time.wMinute = c.minute;
        time.wSecond = c.second;
        EXPECT_STREQ(CClockLabel::FormatTime(time), c.shown);
    }
}

// A clock reading the times it is given, and counting its readings.
class ScriptedClock : public CClockLabel {
public:
    mutable std::deque<SYSTEMTIME> times;
    mutable int readings = 0;

protected:
    void ReadTime(SYSTEMTIME* now) const override
    {
        ++readings;
        if (times.empty()) {
            CClockLabel::ReadTime(now);
            return;
        }
        *now = times.front();
        times.pop_front();
    }
};

SYSTEMTIME At(WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time = {};
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

CString TextOf(CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text;
}

TEST(ClockLabel, ShowsEachSecondsTimeOnItsTimerOnly)
{
    ScriptedClock clock;
    clock.times = {At(23, 59, 59), At(0, 0, 0)};
    ASSERT_TRUE(clock.Create("", WS_VISIBLE, CRect(10, 100, 90, 120), &Host()));
    ASSERT_TRUE(clock.Start());
    EXPECT_STREQ(TextOf(clock), "23:59:59");
    clock.SendMessage(WM_TIMER, CClockLabel::kSpareTimer);
    EXPECT_STREQ(TextOf(clock), "23:59:59") << "another timer shows nothing new";
    clock.SendMessage(WM_TIMER, CClockLabel::kClockTimer);
    EXPECT_STREQ(TextOf(clock), "00:00:00");
}

TEST(ClockLabel, StopsWithItsWindow)
{
    ScriptedClock clock;
    ASSERT_TRUE(clock.Create("", WS_VISIBLE, CRect(10, 100, 90, 120), &Host()));
    ASSERT_TRUE(clock.Start());
    ASSERT_TRUE(kqtest::PumpUntil([&] { return clock.readings >= 2; }, 3 * CClockLabel::kPeriodMs))
        << "the timer ticks";
    clock.DestroyWindow();
    const int readings = clock.readings;
    kqtest::PumpFor(CClockLabel::kPeriodMs + CClockLabel::kPeriodMs / 2);
    EXPECT_EQ(clock.readings, readings) << "no tick after the window is gone";
}

TEST(ClockLabel, ColoursItselfThroughItsParent)
{
    CClockLabel clock;
    ASSERT_TRUE(clock.Create("12:00:00", WS_VISIBLE, CRect(10, 100, 90, 120), &Host()));
    Canvas canvas(4, 4);
    const auto brush = reinterpret_cast<HBRUSH>(Host().SendMessage(
        WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc.m_hDC), reinterpret_cast<LPARAM>(clock.m_hWnd)));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH logBrush = {};
    ASSERT_EQ(::GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
    EXPECT_EQ(logBrush.lbColor, CClockLabel::kBackground);
    EXPECT_EQ(canvas.dc.GetBkColor(), CClockLabel::kBackground);
    EXPECT_EQ(canvas.dc.GetTextColor(), ::GetSysColor(COLOR_WINDOWTEXT));
}

} // namespace
