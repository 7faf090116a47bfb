// Teacher.ini into the records, the saved keys, the button set files, the
// folder checks and the start-up texts.

#include "teacher/ButtonSet.h"
#include "teacher/PathSyntax.h"
#include "teacher/StartupText.h"
#include "teacher/TeacherSettings.h"
#include "teacher/tests/TestFiles.h"

#include <gtest/gtest.h>

#include "common/ClassroomGroup.h"
#include "common/Ipv4Text.h"
#include "common/TextField.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using kqtest::TempFile;

// 60 bytes of ProxyName: 54 ASCII letters then three double-byte characters,
// so byte 55 (the last that fits) would be the lead byte of the second one.
const std::string kLongProxyName = std::string(54, 'p') + "代理名";

const std::string kFixture = "[Ver]\r\nVersionID=770\r\nClassroomID=3\r\nStuNoDisk=1\r\nschoolname=晨星中学\r\n"
                             "[NetWork]\r\nMainPort=2002\r\nMulti_MainIP=227.1.1.7\r\n"
                             "[Setup]\r\nHits=3\r\nDelaySon=5\r\nDelayMon=6\r\nCompressMethord=1\r\n"
                             "ScreenChange=2\r\nQuality=70000\r\nRecord=1\r\nAutoSound=1\r\n"
                             "SoundOpenFlag=1\r\nStudentRunChalkpad=1\r\nWatchInterval=9\r\n"
                             "[Other]\r\nMixerName=Line In\r\nKqDesk=1\r\nEnableTip=1\r\nProxyIp=10.1.2.3\r\n"
                             "ProxyPort=8080\r\nSharePort=2010\r\nProxyName=" + kLongProxyName + "\r\n"
                             "[BackBmp]\r\nLogoBmp=BackBmp\\Logo.bmp\r\n"
                             "[ButtonConfig]\r\nButtonType=2\r\nDefineFilePath=\r\n";

kq::TeacherSettings ReadFixture(const std::string& text, kq::ProfileValues profile = {})
{
    const TempFile file("kq_teacher_fixture.ini", text);
    CIniStore store;
    store.SetPath(file.Path());
    EXPECT_TRUE(store.ReadFile());
    kq::TeacherSettings settings;
    kq::ReadTeacherSettings(store, profile, 0x1234, settings);
    return settings;
}

template <typename T>
T At(const kq::TeacherConfig& config, size_t offset)
{
    T value{};
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(&config) + offset, sizeof value);
    return value;
}

TEST(TeacherSettings, ConfigBytesOfTheFixture)
{
    const kq::TeacherSettings s = ReadFixture(kFixture);
    const kq::TeacherConfig& c = s.config;
    const uint8_t group[4] = {227, 1, 4, 7}; // 227.1.1.7 in classroom 3

    EXPECT_EQ(At<uint32_t>(c, 0), 0x1234u);
    EXPECT_EQ(At<uint32_t>(c, 4), 1u);
    EXPECT_EQ(At<uint32_t>(c, 8), kq::kTeacherModeDiskless);
    EXPECT_EQ(At<uint8_t>(c, 12), 1);
    EXPECT_EQ(At<uint16_t>(c, 14), 2002);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const uint8_t*>(&c) + 16, group, 4), 0);
    EXPECT_EQ(At<uint8_t>(c, 20), 5);
    EXPECT_EQ(At<uint8_t>(c, 21), 6);
    EXPECT_EQ(At<uint8_t>(c, 22), 1);
    EXPECT_EQ(At<uint8_t>(c, 23), 2);
    EXPECT_EQ(At<uint8_t>(c, 24), kq::kDefaultHits) << "the profile's Hits, not the file's 3";
    EXPECT_EQ(At<uint8_t>(c, 25), 70000 & 0xFF) << "truncated into its byte";
    EXPECT_EQ(At<uint8_t>(c, 26), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(&c) + 27, "Line In");
    EXPECT_EQ(At<uint8_t>(c, 67), 1);
    EXPECT_EQ(At<uint8_t>(c, 68), 1);
    EXPECT_EQ(At<uint16_t>(c, 328), 770);
    EXPECT_EQ(At<uint32_t>(c, 332), 2u);
    EXPECT_EQ(At<uint32_t>(c, 1064), 501u);
    EXPECT_EQ(At<uint32_t>(c, 1064 + 38 * 4), 613u);
    EXPECT_EQ(At<int32_t>(c, 1220 + 8 * 8), 142) << "302 at (142, 0)";
    EXPECT_EQ(At<int32_t>(c, 1220 + 38 * 8 + 4), 199) << "613 at (132, 199)";
    for (const auto& set : c.buttonFlags)
        for (uint32_t flag : set)
            ASSERT_EQ(flag, 1u);

    EXPECT_EQ(s.classroomId, 3);
    EXPECT_TRUE(s.enableTip);
    EXPECT_TRUE(s.stuNoDisk);
    EXPECT_EQ(s.logoFile, "BackBmp\\Logo.bmp");
    EXPECT_EQ(s.options.WatchInterval, 9);
    EXPECT_EQ(+s.options.ProxyPort, 8080);
    EXPECT_EQ(kq::FormatDottedIpv4(s.options.ProxyIp), "10.1.2.3");
    EXPECT_STREQ(s.options.schoolname, "晨星中学");
    EXPECT_EQ(std::strlen(s.options.ProxyName), 54u) << "cut before the character that does not fit";
    EXPECT_EQ(std::string(s.options.ProxyName), kLongProxyName.substr(0, 54));
}

TEST(TeacherSettings, ProfileValuesAndEmptyFile)
{
    const kq::TeacherSettings s = ReadFixture("[Ver]\r\nVersionID=1\r\n", {12, 2});
    EXPECT_EQ(s.config.Hits, 12);
    EXPECT_EQ(s.config.MediaType, 2);
    EXPECT_EQ(+s.config.classroomGroup, 0u) << "no Multi_MainIP";
    EXPECT_EQ(+s.config.mode, kq::kTeacherModeNormal);
    EXPECT_EQ(+s.options.ProxyIp, 0u);
    EXPECT_EQ(s.config.DefineFilePath[0], '\0');
}

TEST(TeacherSettings, AnAddressThatIsNoneReadsAsZero)
{
    // Multi_MainIP and ProxyIp take 0 for a text that is no address; ProxyIp
    // is then saved as "0.0.0.0".
    for (const char* text : {"", "1.2.3", "1.2.3.256", "1.2.3.4x", "a.b.c.d"}) {
        SCOPED_TRACE(text);
        const kq::TeacherSettings s = ReadFixture(std::string("[Ver]\r\nClassroomID=3\r\n[NetWork]\r\nMulti_MainIP=") +
                                                  text + "\r\n[Other]\r\nProxyIp=" + text + "\r\n");
        EXPECT_EQ(+s.config.classroomGroup, kq::MakeClassroomGroup(0, 3));
        EXPECT_EQ(+s.options.ProxyIp, 0u);
        CIniStore store;
        kq::FillSavedKeys(s, store);
        EXPECT_EQ(store.GetValue("Other", "ProxyIp"), "0.0.0.0");
    }
}

TEST(TeacherSettings, SavedKeysAreTheSavedOnes)
{
    kq::TeacherSettings s = ReadFixture(kFixture);
    kq::CopyTextField(s.config.DefineFilePath, "C:\\kq\\setting\\DefButton.txt");
    CIniStore store;
    kq::FillSavedKeys(s, store);

    EXPECT_EQ(store.GetValue("ButtonConfig", "DefineFilePath"), "C:\\kq\\setting\\DefButton.txt");
    EXPECT_EQ(store.GetValue("Other", "ProxyIp"), "10.1.2.3");
    EXPECT_EQ(store.GetValue("Other", "ProxyName"), kLongProxyName.substr(0, 54));
    EXPECT_EQ(store.GetValue("Ver", "ClassroomID"), "3");
    EXPECT_EQ(store.GetValue("Setup", "Quality"), std::to_string(70000 & 0xFF));
    EXPECT_EQ(store.GetValue("BackBmp", "LogoBmp"), "BackBmp\\Logo.bmp");
    for (const char* unsaved : {"VersionID", "schoolname"})
        EXPECT_EQ(store.FindValue(store.FindKey("Ver"), unsaved), -1) << unsaved;
    for (const char* unsaved : {"Hits", "AutoSound", "MediaType"})
        EXPECT_EQ(store.FindValue(store.FindKey("Setup"), unsaved), -1) << unsaved;
    EXPECT_EQ(store.FindKey("NetWork"), -1);
    EXPECT_EQ(store.FindValue(store.FindKey("Other"), "MixerName"), -1);
    EXPECT_EQ(store.GetValueCount("Other"), 15);
    EXPECT_EQ(store.GetValueCount("Setup"), 10);
}

TEST(ButtonSet, FileTexts)
{
    const struct {
        const char* text;
        std::vector<int> shown;
    } cases[] = {
        {"0,5,38", {0, 5, 38}},
        {"3,5\r\n40", {3}},        // the line break goes, 5 and 40 join into 540
        {"3, 5", {3}},             // a space ends the list
        {"1,,2,", {1, 2}},
        {"39,100,7", {7}},
        {"", {}},
        {"x1,2", {}},
        {"00012,99999999999999,4", {12, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t flags[kq::kPanelButtonCount];
        for (auto& flag : flags)
            flag = 1;
        kq::ParseButtonSet(c.text, flags);
        std::vector<int> shown;
        for (int i = 0; i < static_cast<int>(kq::kPanelButtonCount); ++i)
            if (flags[i])
                shown.push_back(i);
        std::sort(shown.begin(), shown.end());
        std::vector<int> expected = c.shown;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected);
    }
}

TEST(PathSyntax, Table)
{
    // "荷@" ... : 0xBA 0x40 is a character whose trail byte is "@", 0x81 0x7C one with "|".
    const std::string chinese = "C:\\\xBA\x40\x81\x7C";
    const struct {
        std::string path;
        int result;
    } cases[] = {
        {"", kq::kPathEmpty},
        {"C:", kq::kPathBadLength},
        {"C:\\" + std::string(257, 'a'), kq::kPathBadLength},
        {"C:\\" + std::string(256, 'a'), kq::kPathValid},
        {"C:\\", kq::kPathValid},
        {"CC\\x", kq::kPathNoDrive},
        {"C:/x", kq::kPathNoDrive},
        {"C:\\a|b", kq::kPathBadCharacter},
        {"C:\\a:b", kq::kPathBadCharacter},
        {"C:\\a@b", kq::kPathBadCharacter},
        {"C:\\a\"b", kq::kPathBadCharacter},
        {chinese, kq::kPathValid},
        {chinese + "@", kq::kPathBadCharacter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(kq::CheckPathSyntax(c.path.c_str()), c.result);
    }
    EXPECT_EQ(kq::CheckPathSyntax(nullptr), kq::kPathEmpty);
}

TEST(StartupText, WarningAndVersion)
{
    EXPECT_EQ(kq::StartupWarningText("无法启动。", 8),
              "无法启动。\r\n详细资料及解决办法见“常见问题”中的8，按确定按钮可直接查看帮助文件，否则请直接关闭");
    const struct {
        unsigned id;
        const char* text;
    } cases[] = {{770, "数字版v7.70"}, {1234, "数字版v12.34"}, {5, "数字版v0.05"}, {100, "数字版v1.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(kq::VersionText(c.id), c.text) << c.id;
}

} // namespace
