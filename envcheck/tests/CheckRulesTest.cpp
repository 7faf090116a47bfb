// The rules of the environment check, over values as read: the start
// counter, the operating-system rows, the display and browser requirements,
// the installers' places, the result text and the verdict.

#include "envcheck/BrowserVersion.h"
#include "envcheck/CheckIds.h"
#include "envcheck/CheckReport.h"
#include "envcheck/DirectXRequirement.h"
#include "envcheck/DisplayRequirement.h"
#include "envcheck/InstallerPath.h"
#include "envcheck/KqCheck.h"
#include "envcheck/OsRequirement.h"
#include "envcheck/StartCounter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace kq;

TEST(StartCounter, FixedDiskCountsInTheIniFile)
{
    const struct {
        const char* what;
        std::optional<int> stored;
        int maxCount;
        int count;
        int written;
        bool window;
    } cases[] = {
        {"first start, no [STARTCOUNT]", std::nullopt, kMaxCountAbsent, 0, 1, true},
        {"fifth start", 5, kMaxCountAbsent, 5, 6, true},
        {"seventh start: 6 with maxcount 5", 6, 5, 6, 7, false},
        {"a damaged 150 counts past maxcount", 150, 5, 6, 7, false},
        {"maxcount 0 shows the first start only", 0, 0, 0, 1, true},
        {"the counter stops at the largest value", INT_MAX - 1, INT_MAX, INT_MAX, INT_MAX, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const StartCount start = CountFixedDiskStart(c.stored, c.maxCount);
        EXPECT_EQ(start.count, c.count);
        EXPECT_EQ(start.stored, c.written);
        EXPECT_EQ(WindowAllowed(start), c.window);
    }
}

TEST(StartCounter, OtherDrivesCountInTheRegistryAndWithoutMaxcountNeverShow)
{
    std::optional<int> stored; // the value cannot be read yet
    for (int start = 0; start < 3; ++start) {
        const StartCount counted = CountRegistryStart(stored, kMaxCountAbsent);
        EXPECT_EQ(counted.count, start);
        EXPECT_FALSE(WindowAllowed(counted));
        stored = counted.stored;
    }
    EXPECT_EQ(stored, 3);
    // A damaged value becomes maxcount + 1 there too.
    EXPECT_EQ(CountRegistryStart(500, kMaxCountAbsent).count, 0);
    EXPECT_TRUE(WindowAllowed(CountRegistryStart(2, 4)));
}

OsVersion System(unsigned long platformId, unsigned long major, unsigned long minor, const char* pack = "")
{
    return {platformId, major, minor, pack};
}

TEST(OsRequirement, RowsMatchInOrder)
{
    const std::vector<OsRow> xpAndNt4 = {{5, 1, 2}, {4, 0, 2}, {}};
    const std::vector<OsRow> noMinor = {{5, kOsKeyAbsent, 2}, {}};
    const std::vector<OsRow> none = {{}};
    const std::vector<OsRow> nt4 = {{4, 0, 2}, {}};
    const struct {
        const char* what;
        OsVersion system;
        const std::vector<OsRow>& rows;
        int required;
        int result;
        bool nt4;
    } cases[] = {
        {"XP matches row 1", System(2, 5, 1, "Service Pack 3"), xpAndNt4, 4, check::kPassed, false},
        {"a row without a minor version never matches", System(2, 5, 1), noMinor, 4, check::kOsNotListed, false},
        {"no row 1", System(2, 5, 1), none, 4, check::kOsNotListed, false},
        {"Windows 7 is not listed", System(2, 6, 1), xpAndNt4, 4, check::kOsNotListed, false},
        {"NT 4.0 with SP5 against 6", System(2, 4, 0, "Service Pack 5"), nt4, 6, check::kServicePackTooOld, true},
        {"NT 4.0 with SP6 against 6", System(2, 4, 0, "Service Pack 6"), nt4, 6, check::kPassed, true},
        {"NT 4.0 with SP5 against the default 4", System(2, 4, 0, "Service Pack 5"), nt4, kDefaultNt4ServicePack,
         check::kPassed, true},
        {"NT 4.0 without a service pack", System(2, 4, 0, ""), nt4, 4, check::kServicePackTooOld, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OsCheck matched = MatchOperatingSystem(c.system, c.rows, c.required);
        EXPECT_EQ(matched.result, c.result);
        EXPECT_EQ(matched.nt4, c.nt4);
    }
    // Nineteen rows that all differ and never end the list pass.
    EXPECT_EQ(MatchOperatingSystem(System(2, 6, 1), std::vector<OsRow>(kOsRowCount, {9, 9, 9}), 4).result,
              check::kPassed);
}

TEST(OsRequirement, ServicePackNumberStopsAtTheText)
{
    const struct {
        const char* text;
        int number;
    } cases[] = {
        {"Service Pack 6", 6},  {"Service Pack 6a", 6}, {"Service Pack   12", 12}, {"Service Pack", 0},
        {"Service Pack ", 0},   {"", 0},                {"SP6", 0},                {"Service Pack x", 0},
        {"Service Pack 99999999999", INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ServicePackNumber(c.text), c.number);
    }
}

TEST(DirectXRequirement, Nt4LowersTheRequirement)
{
    EXPECT_EQ(RequiredDirectX(kDirectXKeyAbsent, false), 5);
    EXPECT_EQ(RequiredDirectX(10, false), 10);
    EXPECT_EQ(RequiredDirectX(10, true), 3);
    EXPECT_EQ(CheckDirectXVersion(true, 0x00040007, 5), check::kPassed);
    EXPECT_EQ(CheckDirectXVersion(true, 0x00040003, 5), check::kDirectXTooOld);
    EXPECT_EQ(CheckDirectXVersion(true, 0x00040003, RequiredDirectX(5, true)), check::kPassed);
    EXPECT_EQ(CheckDirectXVersion(false, 0x00040009, 5), check::kDirectXTooOld);
}

TEST(DisplayRequirement, CurrentModeWithinTheLimitsAndModesListed)
{
    const DisplayLimits defaults = MakeDisplayLimits(-1, -1, -1, -1, -1, -1);
    DisplayModes usual;
    usual.Note(16, 800, 600);
    usual.Note(32, 1024, 768);
    DisplayModes no16;
    no16.Note(32, 800, 600);
    no16.Note(24, 1024, 768);
    DisplayModes small;
    small.Note(16, 320, 240);
    const struct {
        const char* what;
        CurrentDisplay current;
        const DisplayModes& modes;
        int result;
    } cases[] = {
        {"1024 x 768 with the default limits", {24, 1024, 768}, usual, check::kDisplayMode},
        {"800 x 600 at 32 bits", {32, 800, 600}, usual, check::kDisplayMode},
        {"800 x 600 at 16 bits", {16, 800, 600}, usual, check::kPassed},
        {"800 x 600 at 24 bits", {24, 800, 600}, usual, check::kPassed},
        {"no 16-bit mode listed", {24, 800, 600}, no16, check::kDisplayMode},
        {"no mode of 640 x 480", {16, 800, 600}, small, check::kDisplayMode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckDisplayMode(defaults, c.current, c.modes), c.result);
    }
    // The installed limits: the harness's 1024 x 768 x 24 passes.
    const DisplayLimits installed = MakeDisplayLimits(16, 32, 640, 3840, 480, 2160);
    EXPECT_EQ(CheckDisplayMode(installed, {24, 1024, 768}, usual), check::kPassed);
    // Limits compare unsigned: a negative maximum is the largest.
    EXPECT_EQ(CheckDisplayMode(MakeDisplayLimits(16, 24, 640, -5, 480, 600), {16, 1024, 600}, usual),
              check::kPassed);
}

TEST(BrowserVersion, TheLeadingNumberCounts)
{
    const struct {
        std::optional<std::string> version;
        int result;
    } cases[] = {
        {"9.11.9600.19596", check::kPassed}, {"10.0", check::kPassed},      {"11.0.22000", check::kPassed},
        {"6.0.2900", check::kPassed},        {"4.72", check::kPassed},       {"3.0", check::kBrowserTooOld},
        {"", check::kBrowserTooOld},          {"x9", check::kBrowserTooOld}, {std::nullopt, check::kBrowserTooOld},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version.value_or("(none)"));
        EXPECT_EQ(CheckBrowserVersion(c.version), c.result);
    }
    EXPECT_EQ(LeadingVersionNumber("99999999999.1"), INT_MAX);
}

TEST(InstallerPath, FolderModesKeepThePathOtherModesUseTheIniFolder)
{
    const struct {
        const char* path;
        int mode;
        Installer installer;
        const char* file;
    } cases[] = {
        {"D:\\", 0, Installer::DirectX, "D:\\Setup.exe"},
        {"D:\\", 0, Installer::Winsock, "D:\\WS2setup.exe"},
        {"D:\\", 10, Installer::DirectX, "D:\\DirectX\\Setup.exe"},
        {"D:\\kq", 10, Installer::Winsock, "D:\\kq\\Winsock\\WS2setup.exe"},
        {"C:\\kq\\student.ini", 1, Installer::DirectX, "C:\\kq\\DirectX\\Setup.exe"},
        {"C:\\kq\\student.ini", 11, Installer::Winsock, "C:\\kq\\Winsock\\WS2setup.exe"},
        // 0x5C as the trail byte of a folder name's last character.
        {"C:\\\xB1\x5C\\student.ini", 1, Installer::DirectX, "C:\\\xB1\x5C\\DirectX\\Setup.exe"},
        {"C:\\\xB1\x5C", 10, Installer::DirectX, "C:\\\xB1\x5C\\DirectX\\Setup.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(InstallerPath(c.path, c.mode, c.installer), c.file);
    }
}

constexpr CheckResults kAllPassed = {1, 1, 1, 1, 1, 1, 1};

TEST(CheckVerdict, TheFirstRuleThatAppliesWins)
{
    CheckResults soundOnly = kAllPassed;
    soundOnly.sound = check::kNoSound;
    CheckResults osAndDisplay = kAllPassed;
    osAndDisplay.os = check::kOsNotListed;
    osAndDisplay.display = check::kDisplayMode;
    CheckResults directX = kAllPassed;
    directX.directX = check::kDirectXTooOld;
    directX.display = check::kDisplayMode;
    CheckResults adapter = kAllPassed;
    adapter.adapter = check::kNoTcpIp;

    const struct {
        const char* what;
        CheckResults results;
        int mode;
        bool closed;
        int verdict;
        bool worthShowing;
    } cases[] = {
        {"all passed", kAllPassed, 1, false, kCheckPassed, false},
        {"only the sound card, mode 1", soundOnly, 1, false, kCheckDisplayOrSound, false},
        {"only the sound card, mode 11", soundOnly, 11, false, kCheckPassed, false},
        {"operating system and display", osAndDisplay, 1, false, kCheckNoPath, true},
        {"DirectX and display", directX, 1, false, kCheckFailed, true},
        {"no TCP/IP", adapter, 11, false, kCheckFailed, true},
        {"closed by request", osAndDisplay, 1, true, kCheckClosed, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CheckResults counted = CountedResults(c.results, c.mode);
        EXPECT_EQ(CheckVerdict(counted, c.closed), c.verdict);
        EXPECT_EQ(WorthShowing(counted), c.worthShowing);
    }
}

TEST(CheckReport, ResultTextByteForByte)
{
    const auto message = [](int id) { return "<" + std::to_string(id) + ">"; };
    EXPECT_EQ(BuildResultText(kAllPassed, message), "");

    const CheckResults allFailed = {check::kOsNotListed, check::kNoAdapter,  check::kWinsockTooOld,
                                    check::kDirectXTooOld, check::kBrowserTooOld, check::kDisplayMode,
                                    check::kNoSound};
    EXPECT_EQ(BuildResultText(allFailed, message),
              "操作系统：\r\n警告：<2>\r\n\r\n"
              "网卡和TCPIP协议：\r\n警告：<4>\r\n\r\n"
              "检测WINSOCK：\r\n警告：<7>\r\n\r\n"
              "检测DIRECTX：\r\n警告：<8>\r\n\r\n"
              "IE版本\r\n警告：<17>\r\n\r\n"
              "显示模式：\r\n警告：<10>\r\n\r\n"
              "检测声卡：\r\n警告：<9>\r\n");

    CheckResults osAndDisplay = kAllPassed;
    osAndDisplay.os = check::kServicePackTooOld;
    osAndDisplay.display = check::kDisplayMode;
    EXPECT_EQ(BuildResultText(CountedResults(osAndDisplay, 11), message),
              "操作系统：\r\n警告：<3>\r\n\r\n显示模式：\r\n警告：<10>\r\n\r\n");
    // Mode 11 leaves a failed sound card out of the text.
    CheckResults sound = kAllPassed;
    sound.sound = check::kNoSound;
    EXPECT_EQ(BuildResultText(CountedResults(sound, 11), message), "");
}

} // namespace
