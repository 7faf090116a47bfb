#include "common/Ipv4Text.h"
#include "teacher/WebControlSwitch.h"
#include "teacher/WebSiteEntry.h"

#include "teacher/PathSyntax.h"
#include "teacher/TeacherSettings.h"
#include "teacher/WebStartSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using kq::SiteEntryProblem;
using kq::WebSwitchResult;

constexpr long kRefused = 1;           // S_FALSE
constexpr long kFailed = -2147467259;  // E_FAIL

// A proxy service that records its calls ("running Start(1) ...") and answers
// with the results a case gives.
class FakeService : public kq::WebServicePort {
public:
    bool running = false;
    long queryResult = kq::kServiceOk;
    long startResult = kq::kServiceOk;
    long changeResult = kq::kServiceOk;
    std::string calls;

    long IsRunning(int& answer) override
    {
        calls += "IsRunning ";
        answer = running ? 1 : 0;
        return queryResult;
    }
    long Start(int mode) override
    {
        calls += "Start(" + std::to_string(mode) + ") ";
        running = running || startResult == kq::kServiceOk;
        return startResult;
    }
    long ChangeMode(int mode) override
    {
        calls += "ChangeMode(" + std::to_string(mode) + ") ";
        return changeResult;
    }
    long Stop() override
    {
        calls += "Stop ";
        running = false;
        return kq::kServiceOk;
    }
};

struct SwitchCase {
    const char* name;
    int startState; // reached through a successful start first (0: none)
    long queryResult, startResult, changeResult;
    int mode;
    bool mayStart;
    const char* calls;
    WebSwitchResult result;
    int state;
};

TEST(WebControlSwitch, SwitchesOverTheServiceResults)
{
    const long ok = kq::kServiceOk;
    const SwitchCase cases[] = {
        {"start filter", 0, ok, ok, ok, 2, true, "IsRunning Start(2) ", WebSwitchResult::On, 1},
        {"start sites", 0, ok, ok, ok, 1, true, "IsRunning Start(1) ", WebSwitchResult::On, 2},
        {"filter to both", 1, ok, ok, ok, 0, true, "IsRunning ChangeMode(0) ", WebSwitchResult::On, 3},
        {"both to sites", 3, ok, ok, ok, 1, false, "IsRunning ChangeMode(1) ", WebSwitchResult::On, 2},
        {"no site file: not started", 0, ok, ok, ok, 1, false, "IsRunning ", WebSwitchResult::NotStarted, 0},
        {"start refused", 0, ok, kRefused, ok, 1, true, "IsRunning Start(1) ", WebSwitchResult::Off, 0},
        {"start failed", 0, ok, kFailed, ok, 2, true, "IsRunning Start(2) ", WebSwitchResult::Off, 0},
        {"change refused: stopped, not started again", 1, ok, ok, kRefused, 0, true, "IsRunning ChangeMode(0) Stop ",
         WebSwitchResult::Off, 0},
        {"change failed", 2, ok, ok, kFailed, 0, true, "IsRunning ChangeMode(0) Stop ", WebSwitchResult::Off, 0},
        {"query failed: stopped, then started", 1, kFailed, ok, ok, 0, true, "IsRunning Stop Start(0) ",
         WebSwitchResult::On, 3},
        {"query refused, no file: off", 2, kRefused, ok, ok, 0, false, "IsRunning Stop ", WebSwitchResult::NotStarted,
         0},
    };
    const int modeOfState[] = {-1, 2, 1, 0};
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeService service;
        kq::WebControlSwitch control;
        if (c.startState != 0) {
            ASSERT_EQ(control.SwitchTo(service, modeOfState[c.startState], true), WebSwitchResult::On);
            ASSERT_EQ(control.State(), c.startState);
        }
        service.calls.clear();
        service.queryResult = c.queryResult;
        service.startResult = c.startResult;
        service.changeResult = c.changeResult;
        EXPECT_EQ(control.SwitchTo(service, c.mode, c.mayStart), c.result);
        EXPECT_EQ(service.calls, c.calls);
        EXPECT_EQ(control.State(), c.state);
    }
}

TEST(WebControlSwitch, StopLeavesTheStateOffAndTheHalvesFollowIt)
{
    FakeService service;
    kq::WebControlSwitch control;
    control.SwitchTo(service, kq::kWebModeFilterAndSites, true);
    control.Stop(service);
    EXPECT_EQ(service.calls, "IsRunning Start(0) Stop ");
    EXPECT_EQ(control.State(), kq::kWebOff);

    const bool filter[] = {false, true, false, true};
    const bool sites[] = {false, false, true, true};
    for (int state = 0; state < 4; ++state) {
        EXPECT_EQ(kq::WebFilterOn(state), filter[state]) << state;
        EXPECT_EQ(kq::WebSitesShared(state), sites[state]) << state;
    }
}

struct EntryCase {
    const char* name;
    const char* site;
    const char* file;
    int pathType;
    SiteEntryProblem problem;
};

TEST(WebSiteEntry, ChecksInTheirOrder)
{
    const std::string fifty(50, 'n');
    const std::string fiftyOne(51, 'n');
    const EntryCase cases[] = {
        {"good", "新闻", "C:\\web\\news.htm", kq::kPathIsFile, SiteEntryProblem::None},
        {"50 bytes", fifty.c_str(), "C:\\a.htm", kq::kPathIsFile, SiteEntryProblem::None},
        {"empty name before a bad path", "", "bad", kq::kPathMissing, SiteEntryProblem::EmptyName},
        {"51 bytes", fiftyOne.c_str(), "C:\\a.htm", kq::kPathIsFile, SiteEntryProblem::NameTooLong},
        {"26 Chinese characters", "新闻新闻新闻新闻新闻新闻新闻新闻新闻新闻新闻新闻新闻", "C:\\a.htm", kq::kPathIsFile,
         SiteEntryProblem::NameTooLong},
        {"a trail byte 0x7C is no bar", "\xB0\x7C", "C:\\a.htm", kq::kPathIsFile, SiteEntryProblem::None},
        {"bad path", "a", "web\\a.htm", kq::kPathMissing, SiteEntryProblem::BadPath},
        {"folder", "a", "C:\\web", kq::kPathIsFolder, SiteEntryProblem::NotAFile},
        {"missing file", "a", "C:\\web\\none.htm", kq::kPathMissing, SiteEntryProblem::NotAFile},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kq::CheckSiteEntry(c.site, c.file, c.pathType), c.problem);
    }
    for (const char forbidden : std::string(kq::kForbiddenSiteNameCharacters)) {
        SCOPED_TRACE(std::string("character ") + forbidden);
        EXPECT_EQ(kq::CheckSiteName(std::string("a") + forbidden + "b"), SiteEntryProblem::ForbiddenCharacter);
    }
    EXPECT_EQ(std::string(kq::kForbiddenSiteNameCharacters), "\"#%*,/:<>?@|=");
}

TEST(WebSiteEntry, NameFromAChosenFile)
{
    EXPECT_EQ(kq::SiteNameFromFile("C:\\web\\新闻.htm"), "新闻");
    EXPECT_EQ(kq::SiteNameFromFile("C:\\web.d\\news.tar.htm"), "news.tar");
    EXPECT_EQ(kq::SiteNameFromFile("C:\\web.d\\README"), "");
    EXPECT_EQ(kq::SiteNameFromFile("page.html"), "page");
    // 0x5C as a trail byte is not a folder separator.
    EXPECT_EQ(kq::SiteNameFromFile("C:\\\xB1\x5C.htm"), "\xB1\x5C");
}

} // namespace

namespace {

TEST(WebStartSettings, FromTheOptions)
{
    kq::TeacherOptions options = {};
    options.SharePort = 8080;
    options.Access = 1;
    options.ProxyIp = kq::ParseDottedIpv4("198.18.0.9").value();
    options.ProxyPort = 3128;
    std::memcpy(options.ProxyName, "教师", sizeof "教师");
    std::memset(options.ProxyPassword, 'p', sizeof options.ProxyPassword); // fills its field, no terminator
    std::memcpy(options.Database, "WebSites.ini", sizeof "WebSites.ini");
    const kq::WebStartSettings settings = kq::MakeWebStartSettings(options, "C:\\Tutorium\\Teacher");
    EXPECT_EQ(settings.sharePort, 8080);
    EXPECT_FALSE(settings.direct);
    EXPECT_EQ(settings.proxyAddress, "198.18.0.9");
    EXPECT_EQ(settings.proxyPort, 3128);
    EXPECT_EQ(settings.proxyName, "教师");
    EXPECT_EQ(settings.proxyPassword, std::string(sizeof options.ProxyPassword, 'p'));
    EXPECT_EQ(settings.siteFile, "C:\\Tutorium\\Teacher\\WebSites.ini");
    options.Access = 0;
    EXPECT_TRUE(kq::MakeWebStartSettings(options, "C:\\T").direct);
}

TEST(WebStartSettings, SiteFileInsideTheInstallFolderUnlessFull)
{
    const char* const cases[][2] = {
        {"", ""},
        {"D:\\sites.ini", "D:\\sites.ini"},
        {"\\\\server\\share\\sites.ini", "\\\\server\\share\\sites.ini"},
        {"sites.ini", "C:\\T\\sites.ini"},
        {"web\\sites.ini", "C:\\T\\web\\sites.ini"},
        {"\\sites.ini", "C:\\T\\sites.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::SiteFilePath("C:\\T", c[0]), c[1]) << c[0];
}

} // namespace
