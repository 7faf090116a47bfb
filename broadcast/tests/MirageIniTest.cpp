// Mirage.ini and what the engine derives from it, and the OS kind table.

#include "broadcast/MirageIni.h"
#include "broadcast/OsKind.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Lines(int count, const std::string& last = "")
{
    std::string content;
    for (int i = 1; i < count; ++i)
        content += "text " + std::to_string(i) + "\r\n";
    return content + last + "\r\n";
}

TEST(MirageIni, DefaultsOnlyWhenTheFileCannotBeOpened)
{
    const CMirageIni missing = CMirageIni::Load("/nonexistent/Mirage.ini");
    EXPECT_EQ(missing.Line(MIRAGE_INI_FRAME_CLASS), "3");
    EXPECT_EQ(missing.Line(MIRAGE_INI_CAPTURE_SWITCH), "25");
    EXPECT_EQ(missing.Line(MIRAGE_INI_THREAD_PRIORITY), "3");
    EXPECT_EQ(missing.Line(MIRAGE_INI_WAITING), "等待执行指令.....");
    EXPECT_EQ(missing.Line(MIRAGE_INI_FULL_OR_HALF), "全屏\\半屏");

    // 23 lines: line 24 is empty, which counts as 0, time-critical.
    const CMirageIni short23 = CMirageIni::FromContent(Lines(23, "25"));
    EXPECT_EQ(short23.Line(MIRAGE_INI_CAPTURE_SWITCH), "25");
    EXPECT_EQ(short23.Line(MIRAGE_INI_THREAD_PRIORITY), "");
    EXPECT_EQ(ThreadPriorityFromLine(short23.Line(MIRAGE_INI_THREAD_PRIORITY)), 15);
    EXPECT_EQ(short23.Line(MIRAGE_INI_LISTENING), "text 2") << "line ends removed";

    const CMirageIni empty = CMirageIni::FromContent("");
    EXPECT_EQ(empty.Line(MIRAGE_INI_FRAME_CLASS), "");
    EXPECT_EQ(ChooseFrameClass(empty.Line(MIRAGE_INI_FRAME_CLASS), true, 0).number, 0);
    EXPECT_EQ(ChooseFrameClass(empty.Line(MIRAGE_INI_FRAME_CLASS), true, 0).width, 800u);
}

TEST(MirageIni, FrameClassFromLineOne)
{
    const struct {
        const char* line;
        bool fixedDisk;
        int openMode;
        uint32_t width, height, bufferSize;
    } cases[] = {
        {"3", true, 0, 1024, 768, 2490368},
        {"1", true, 0, 640, 480, 1052672},
        {"2", true, 0, 800, 600, 1571072},
        {" 1", true, 3, 640, 480, 1052672},
        {"3abc", true, 0, 1024, 768, 2490368},
        {"", true, 0, 800, 600, 1571072},
        {"x", true, 0, 800, 600, 1571072},
        {"9", true, 0, 800, 600, 1571072},
        {"3", false, 0, 800, 600, 1571072},   // network drive
        {"1", false, 0, 640, 480, 1052672},
        {"3", true, 12, 800, 600, 1571072},   // tens digit of the open mode
        {"1", true, 11, 800, 600, 1571072},
    };
    for (const auto& c : cases) {
        const MirageFrameClass fc = ChooseFrameClass(c.line, c.fixedDisk, c.openMode);
        EXPECT_EQ(fc.width, c.width) << "'" << c.line << "' " << c.fixedDisk << " " << c.openMode;
        EXPECT_EQ(fc.height, c.height) << c.line;
        EXPECT_EQ(fc.bufferSize, c.bufferSize) << c.line;
    }
}

TEST(MirageIni, PriorityAndCaptureSwitch)
{
    const struct { const char* line; int priority; } priorities[] = {
        {"0", 15}, {"1", 2}, {"2", 1}, {"3", 0}, {"4", -1}, {"5", -2}, {"6", -15},
        {"7", 0}, {"9", 0}, {"-1", 0}, {"", 15}, {"99999999999", 0},
    };
    for (const auto& p : priorities)
        EXPECT_EQ(ThreadPriorityFromLine(p.line), p.priority) << "'" << p.line << "'";

    const struct { uint16_t kind; const char* line; int32_t capture; } switches[] = {
        {6, "25", 0}, {5, "25", 0}, {7, "25", 0}, {2, "25", 1}, {0, "25", 1},
        {6, "26", 1}, {6, "", 1}, {6, "25 ", 1},
    };
    for (const auto& s : switches)
        EXPECT_EQ(CaptureSwitchFromLine(s.kind, s.line), s.capture) << s.kind << " '" << s.line << "'";
}

TEST(OsKind, ByPlatformAndVersion)
{
    const struct { uint32_t platform, major, minor; uint16_t kind; bool battery; } cases[] = {
        {1, 4, 0, 1, false}, {1, 4, 10, 2, true}, {1, 4, 90, 3, true}, {1, 4, 3, 0, false},
        {2, 3, 51, 4, false}, {2, 4, 0, 4, false}, {2, 5, 0, 5, true}, {2, 5, 1, 6, true},
        {2, 5, 2, 7, true}, {2, 6, 1, 0, false}, {2, 10, 0, 0, false}, {0, 3, 1, 0, false},
    };
    for (const auto& c : cases) {
        const uint16_t kind = OsKindFromVersion(c.platform, c.major, c.minor);
        EXPECT_EQ(kind, c.kind) << c.platform << " " << c.major << "." << c.minor;
        EXPECT_EQ(OsKindCallsBattery(kind), c.battery) << kind;
    }
}

} // namespace
