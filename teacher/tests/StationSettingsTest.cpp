// The portable rules of the station's settings: the speed step and the
// volume mapping, the button set files, the entries the settings dialog
// refuses, and the receive folder's trailing backslash.

#include "teacher/BroadcastSpeed.h"
#include "teacher/ButtonSet.h"
#include "teacher/PathSyntax.h"
#include "teacher/SettingsEntries.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BroadcastSpeed, StepsGiveTheirDelays)
{
    struct Case {
        int step, son, mon;
    } const cases[] = {
        {1, 27, 1}, {2, 24, 1}, {9, 3, 1}, {10, 1, 1}, {11, 1, 2}, {15, 1, 10}, {20, 1, 20},
        {0, 1, 1},  {21, 1, 1}, {-3, 1, 1},
    };
    for (const Case& c : cases) {
        const kq::BroadcastDelays delays = kq::DelaysOfSpeedStep(c.step);
        EXPECT_EQ(delays.son, c.son) << c.step;
        EXPECT_EQ(delays.mon, c.mon) << c.step;
    }
}

TEST(BroadcastSpeed, VolumeAndSliderMeetByIntegerScaling)
{
    EXPECT_EQ(kq::SliderPositionOfVolume(65535), 128);
    EXPECT_EQ(kq::SliderPositionOfVolume(0), 0);
    EXPECT_EQ(kq::SliderPositionOfVolume(32768), 64);
    EXPECT_EQ(kq::SliderPositionOfVolume(511), 0); // 511 * 128 / 65535
    EXPECT_EQ(kq::VolumeOfSliderPosition(64), 32767u);
    EXPECT_EQ(kq::VolumeOfSliderPosition(128), 65535u);
    EXPECT_EQ(kq::VolumeOfSliderPosition(0), 0u);
    EXPECT_EQ(kq::VolumeOfSliderPosition(200), 65535u); // outside the slider: its end
}

TEST(ButtonSet, WrittenAscendingWithoutTrailingCommaAndReadBack)
{
    uint32_t flags[kq::kPanelButtonCount] = {};
    EXPECT_EQ(kq::FormatButtonSet(flags), "");
    flags[38] = 1;
    flags[0] = 1;
    flags[23] = 1;
    flags[7] = 1;
    const std::string text = kq::FormatButtonSet(flags);
    EXPECT_EQ(text, "0,7,23,38");

    uint32_t read[kq::kPanelButtonCount];
    kq::ParseButtonSet(text, read);
    for (size_t i = 0; i < kq::kPanelButtonCount; ++i)
        EXPECT_EQ(read[i], flags[i]) << i;
    const uint32_t none[kq::kPanelButtonCount] = {};
    kq::ParseButtonSet(kq::FormatButtonSet(none), read);
    for (uint32_t flag : read)
        EXPECT_EQ(flag, 0u);
}

TEST(ButtonSet, SettingFolderBesideTheProgram)
{
    EXPECT_EQ(kq::SettingFolderOf("C:\\Tutorium\\"), "C:\\Tutorium\\setting");
    EXPECT_EQ(kq::SettingFolderOf(""), "C:\\");
}

TEST(SettingsEntries, RejectionsInTheDialogsOrder)
{
    using R = kq::SettingsRejection;
    struct Case {
        const char* folder;
        const char* sharePort;
        bool monitor;
        const char* interval;
        R expected;
    } const cases[] = {
        {"C:\\recv", "8080", false, "", R::None},
        {"  C:\\recv  ", " 8080 ", true, "5", R::None},
        {"C:\\a=b", "8080", true, "60", R::None},
        {"", "8080", false, "", R::FolderEmpty},
        {"   ", "8080", false, "", R::FolderEmpty},
        {"C:", "8080", false, "", R::FolderLength},
        {"CC\\x", "8080", false, "", R::FolderNoDrive},
        {"C:\\a?b", "8080", false, "", R::FolderCharacter},
        {"C:\\a:b", "8080", false, "", R::FolderCharacter},
        {"C:\\recv", "0", false, "", R::SharePortZero},
        {"C:\\recv", "", false, "", R::SharePortZero},
        {"C:\\recv", "x", false, "", R::SharePortZero},
        {"C:\\recv", "8080", true, "61", R::WatchTooLong},
        {"C:\\recv", "8080", true, "4", R::WatchTooShort},
        {"C:\\recv", "8080", true, "", R::WatchTooShort},
        {"C:\\recv", "8080", false, "61", R::None}, // not checked with monitoring off
        // The first rejection in the dialog's order wins.
        {"", "0", true, "99", R::FolderEmpty},
        {"C:\\recv", "0", true, "99", R::SharePortZero},
    };
    for (const Case& c : cases) {
        kq::SettingsEntries entries;
        entries.receiveFolder = c.folder;
        entries.sharePort = c.sharePort;
        entries.autoMonitor = c.monitor;
        entries.watchInterval = c.interval;
        EXPECT_EQ(kq::FirstSettingsRejection(entries), c.expected) << c.folder << " " << c.sharePort << " " << c.interval;
    }
    const std::string longFolder = "C:\\" + std::string(257, 'a');
    EXPECT_EQ(kq::FirstSettingsRejection({longFolder, "1", false, ""}), R::FolderLength);
    EXPECT_EQ(kq::FirstSettingsRejection({longFolder.substr(0, 259), "1", false, ""}), R::None);
}

TEST(PathSyntax, OneTrailingBackslash)
{
    EXPECT_EQ(kq::WithTrailingBackslash("C:\\recv"), "C:\\recv\\");
    EXPECT_EQ(kq::WithTrailingBackslash("C:\\recv\\"), "C:\\recv\\");
    // 0x5C after a lead byte is that character's trail byte, not a backslash.
    EXPECT_EQ(kq::WithTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");
    EXPECT_EQ(kq::WithTrailingBackslash("C:\\\x95\x5C\\"), "C:\\\x95\x5C\\");
}

} // namespace
