// The receiving folder of a file transfer as the teacher types it, and the
// bar's position from the transfer's counters.

#include "teacher/dialogs/SendFileRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "昞" ends in the byte of "\", "乤" in that of "a", "亅" in that of "|".
constexpr char kTrailBackslash[] = "\x95\x5C";
constexpr char kTrailLetter[] = "\x81\x61";
constexpr char kTrailBar[] = "\x81\x7C";

TEST(SendFileRules, TheReceivingFolderIsCheckedAndMadeReady)
{
    const std::string longest = "C:\\" + std::string(256, 'A');
    const std::string chinese = std::string("c:\\") + kTrailBackslash + ".x" + kTrailLetter + kTrailBar;
    const struct {
        std::string typed;
        unsigned message;
        std::string folder;
    } cases[] = {
        {"c:\\kq", 0, "C:\\KQ\\"},
        {"  C:\\KqSendFiles\\ ", 0, "C:\\KQSENDFILES\\"},
        {"C:\\", 0, "C:\\"},
        {"C:\\a#%@", 0, "C:\\A#%@\\"},
        {longest, 0, longest + "\\"},
        {chinese, 0, std::string("C:\\") + kTrailBackslash + ".X" + kTrailLetter + kTrailBar + "\\"},
        {"", kq::kReceivingFolderEmpty, ""},
        {"   ", kq::kReceivingFolderEmpty, ""},
        {"C:\\a.", kq::kReceivingFolderEmpty, ""},
        {"C:", kq::kReceivingFolderLength, ""},
        {longest + "A", kq::kReceivingFolderLength, ""},
        {"ab\\c", kq::kReceivingFolderNoDrive, ""},
        {"C:/a", kq::kReceivingFolderNoDrive, ""},
        {"C:\\a\\.b", kq::kReceivingFolderBadCharacter, ""},
        {"C:\\a*", kq::kReceivingFolderBadCharacter, ""},
        {"C:\\a\"b", kq::kReceivingFolderBadCharacter, ""},
        {"C:\\a:b", kq::kReceivingFolderBadCharacter, ""},
        {"C:\\a|b", kq::kReceivingFolderBadCharacter, ""},
        {"C:\\a<b>", kq::kReceivingFolderBadCharacter, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string folder = "untouched";
        EXPECT_EQ(kq::CheckReceivingFolder(c.typed, folder), c.message);
        EXPECT_EQ(folder, c.message == 0 ? c.folder : "untouched");
    }
}

TEST(SendFileRules, TheBarFollowsTheCountersAndStopsAtTheWhole)
{
    const struct {
        uint32_t sent;
        uint32_t total;
        int percent;
    } cases[] = {
        {3, 100, 3},
        {50, 200, 25},
        {2, 100, 2},
        {199, 200, 99}, // truncated, never rounded up to the end
        {300, 200, 100},
        {0, 200, 0},
        {5, 0, 0},
        {0xFFFFFFFFu, 0xFFFFFFFFu, 100},
        {0xFFFFFFFEu, 0xFFFFFFFFu, 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::SendProgressPercent(c.sent, c.total), c.percent) << c.sent << " of " << c.total;
}

} // namespace
