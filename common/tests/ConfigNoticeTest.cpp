#include "common/ConfigNotice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

using kq::NoticeStamps;
using kq::StampRule;

TEST(ConfigNotice, KindsOneAndTwoCarryHostAndPath)
{
    const kq::ConfigNotice file = kq::MakeConfigFileNotice("PC07", "C:\\PC07\\PC07.ini");
    EXPECT_EQ(file.kind, 1);
    EXPECT_STREQ(file.host, "PC07");
    EXPECT_STREQ(file.path, "C:\\PC07\\PC07.ini");
    EXPECT_EQ(file.stamp, 0);

    const kq::ConfigNotice folders = kq::MakeDesktopFoldersNotice("PC07", "C:\\PC07\\config");
    EXPECT_EQ(folders.kind, 2);
    EXPECT_STREQ(folders.path, "C:\\PC07\\config");
}

TEST(ConfigNotice, LongTextsAreCutAndTerminated)
{
    const std::string host(300, 'h');
    const std::string path(600, 'p');
    const kq::ConfigNotice notice = kq::MakeConfigFileNotice(host.c_str(), path.c_str());
    EXPECT_EQ(std::strlen(notice.host), kq::kNoticeHostSize - 1);
    EXPECT_EQ(std::strlen(notice.path), kq::kNoticePathSize - 1);
    EXPECT_EQ(notice.stamp, 0); // the path never spills into the stamp
}

TEST(ConfigNotice, KindThreeCarriesTwoValuesAndNothingElse)
{
    const kq::ConfigNotice notice = kq::MakeTeacherUpdateNotice(0x1234, 0xBEEF);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&notice);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x12);
    EXPECT_EQ(bytes[3], 0xEF);
    EXPECT_EQ(bytes[4], 0xBE);
    for (size_t i = 5; i < sizeof notice; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(kq::TeacherUpdateValue(notice, 0), 0x1234);
    EXPECT_EQ(kq::TeacherUpdateValue(notice, 1), 0xBEEF);
}

TEST(NoticeStamps, TheFirstNoticeOfAProcessIsStampedZeroThenThePreviousDraw)
{
    NoticeStamps stamps;
    EXPECT_EQ(stamps.Next(StampRule::Previous, 1000), 0);
    NoticeStamps same;
    same.Next(StampRule::Previous, 1000);
    // The second notice carries what the first one drew: the same for the
    // same time, and not 0 again.
    const uint16_t second = stamps.Next(StampRule::Previous, 2000);
    EXPECT_EQ(second, same.Next(StampRule::Previous, 5));
    EXPECT_NE(second, 0);
}

TEST(NoticeStamps, NoticesInTheSameSecondNeverRepeatTheStampBefore)
{
    for (StampRule rule : {StampRule::Previous, StampRule::Fresh}) {
        NoticeStamps stamps;
        uint16_t last = stamps.Next(rule, 77);
        for (int i = 0; i < 50; ++i) {
            const uint16_t stamp = stamps.Next(rule, 77); // reseeded with the same time
            ASSERT_NE(stamp, last) << "notice " << i;
            last = stamp;
        }
    }
}

TEST(NoticeStamps, NoticesOneSecondApartAllDiffer)
{
    NoticeStamps stamps;
    std::set<uint16_t> seen;
    for (uint32_t t = 5000; t < 5100; ++t)
        seen.insert(stamps.Next(StampRule::Previous, t));
    EXPECT_EQ(seen.size(), 100u);
}

TEST(NoticeStamps, AFreshDrawIsStampedOnItsOwnNotice)
{
    NoticeStamps fresh;
    NoticeStamps previous;
    const uint16_t drawn = fresh.Next(StampRule::Fresh, 4242);
    previous.Next(StampRule::Previous, 4242);
    EXPECT_EQ(drawn, previous.Next(StampRule::Previous, 1));
}

} // namespace
