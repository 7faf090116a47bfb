// The video dialogs' rules that need no window: the server's command line,
// a row's texts, the name a file suggests and where browsing starts.

#include "teacher/dialogs/VideoChannelRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// A group address as the configuration keeps it: network order in memory.
uint32_t Group(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t group = 0;
    std::memcpy(&group, bytes, sizeof group);
    return group;
}

TEST(VideoChannelRules, ServerArgumentsAreTheGroupAsOneIntegerAndTheClassroom)
{
    const struct {
        uint32_t group;
        int classroom;
        const char* arguments;
    } cases[] = {
        {Group(227, 1, 3, 7), 2, "117637603 2"},
        {Group(227, 1, 1, 7), 0, "117506531 0"},
        {Group(239, 255, 255, 255), 255, "-17 255"}, // the high byte makes it negative
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(kq::ChannelServerArguments(c.group, c.classroom), c.arguments);
    }
    EXPECT_EQ(kq::ChannelServerCommandLine("C:\\Program Files\\晨星\\", Group(227, 1, 3, 7), 2),
              "\"C:\\Program Files\\晨星\\Reelcast.exe\" 117637603 2")
        << "a folder with blanks still names the program";
}

TEST(VideoChannelRules, RowTexts)
{
    EXPECT_STREQ(kq::ChannelStateText(0), "停止");
    EXPECT_STREQ(kq::ChannelStateText(1), "播放");
    EXPECT_STREQ(kq::ChannelStateText(2), "暂停");
    EXPECT_STREQ(kq::ChannelStateText(-1), "未知");
    EXPECT_STREQ(kq::ChannelStateText(3), "未知");
    EXPECT_EQ(kq::ChannelNumberText(10), "1");
    EXPECT_EQ(kq::ChannelNumberText(29), "20");
    EXPECT_EQ(kq::ChannelNumberText(0), "-") << "more than twenty channels";
}

TEST(VideoChannelRules, NameOfAChosenFileIsEverythingBeforeItsLastDot)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\video\\lesson.mpg", "lesson"},
        {"C:\\video\\lesson.part1.mpg", "lesson.part1"},
        {"C:\\video\\noextension", ""},
        {"C:\\v.1\\movie", ""}, // a dot in a folder is no extension
        {"C:\\video\\.mpg", ""},
        // 0x95 0x5C is one character whose trail byte is a backslash.
        {"C:\\video\\\x95\x5C.dat", "\x95\x5C"},
        {"影片.dat", "影片"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(kq::ChannelNameFromFile(c.path), c.name);
    }
}

TEST(VideoChannelRules, BrowsingStartsAtTheDriveRootFromTheProgramFolder)
{
    const struct {
        const char* current;
        const char* program;
        bool root;
    } cases[] = {
        {"C:\\Tutorium", "C:\\Tutorium\\", true},
        {"c:\\tutorium\\", "C:\\Tutorium\\", true},
        {"C:\\Tutorium\\video", "C:\\Tutorium\\", false},
        {"D:\\", "C:\\Tutorium\\", false},
        {"D:\\", "", true}, // the program's name could not be read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(kq::BrowseFromDriveRoot(c.current, c.program), c.root);
    }
}

} // namespace
