// Teacher.exe from start to exit, run from a temporary installation and
// driven with window messages: the normal start with its window, children
// and traces, the close question, and every failure road of the start.

#include "teacher/tests/TeacherInstall.h"

#include "teacher/StartupText.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using kqtest::ChildRect;
using kqtest::TeacherInstall;
using kqtest::WaitFor;

constexpr const char* kMainTitle = "晨星电子教室";
constexpr const char* kWarningTitle = "Warning";
constexpr const char* kQuestionTitle = "KqYesNoDlg";
constexpr const char* kVersionTitle = ""; // the version box has no title
constexpr UINT kYesButton = 706;
constexpr UINT kVersionCloseButton = 400;

std::string LoadTeacherString(TeacherInstall& install, UINT id)
{
    HMODULE resources = ::LoadLibraryExA(install.PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = {};
    ::LoadStringA(resources, id, text, sizeof text);
    ::FreeLibrary(resources);
    return text;
}

COLORREF ResourcePixel(TeacherInstall& install, UINT bitmapId, int x, int y)
{
    HMODULE resources = ::LoadLibraryExA(install.PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HBITMAP bitmap = ::LoadBitmapA(resources, MAKEINTRESOURCEA(bitmapId));
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const COLORREF pixel = ::GetPixel(memory, x, y);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    ::FreeLibrary(resources);
    return pixel;
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT point = {x, y};
    ::ClientToScreen(window, &point);
    HDC screen = ::GetDC(nullptr);
    const COLORREF pixel = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

std::string HandleText(HWND window)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)));
    return text;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsGone(HWND window)
{
    return WaitFor([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, kqtest::kStartPatienceMs);
}

TEST(TeacherStart, NormalStartRunsAndClosesCleanly)
{
    TeacherInstall install;
    install.SetIniValue("Ver", "ClassroomID", "3");
    install.SetIniValue("SEAT", "SeatCount", "0");
    ASSERT_TRUE(install.Start());
    HWND main = install.FindWindowOf(kMainTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(::FindWindowA(nullptr, kWarningTitle), nullptr) << "the web control server registers itself";

    // One caption-less 800 x 600 window in the middle of the screen.
    RECT window = {};
    ::GetWindowRect(main, &window);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(window.right - window.left, 800);
    EXPECT_EQ(window.bottom - window.top, 600);
    EXPECT_EQ(window.left, (screenWidth - 800) / 2);
    EXPECT_EQ(window.top, (screenHeight - 600) / 2);
    EXPECT_EQ(::GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0);

    // A second copy ends at once without a window.
    EXPECT_TRUE(install.SecondCopyEndsQuietly());
    EXPECT_EQ(install.FindWindowOf(kMainTitle, 0), main);

    // The children at their rectangles.
    constexpr int kClockId = 836;
    const struct {
        int id;
        RECT rect;
    } children[] = {
        {400, {766, 16, 782, 30}},   {401, {746, 16, 762, 30}},   {402, {726, 16, 742, 30}},
        {511, {605, 468, 652, 508}}, {512, {666, 468, 713, 508}}, {513, {726, 468, 773, 508}},
        {790, {558, 469, 592, 502}}, {521, {546, 100, 628, 124}}, {522, {628, 100, 710, 124}},
        {556, {33, 540, 60, 560}},   {550, {81, 540, 108, 560}},  {555, {321, 540, 348, 560}},
        {641, {373, 540, 422, 560}}, {642, {422, 540, 484, 560}}, {643, {484, 540, 535, 560}},
        {836, {569, 15, 628, 28}},   {867, {709, 39, 781, 119}}, // as laid out for the screen
    };
    for (const auto& child : children) {
        SCOPED_TRACE(child.id);
        const RECT actual = ChildRect(main, child.id);
        EXPECT_EQ(actual.left, child.rect.left);
        EXPECT_EQ(actual.top, child.rect.top);
        if (child.id == kClockId) { // at least its place: it grows to the widest time in its font
            EXPECT_GE(actual.right, child.rect.right);
            EXPECT_GE(actual.bottom, child.rect.bottom);
            continue;
        }
        EXPECT_EQ(actual.right, child.rect.right);
        EXPECT_EQ(actual.bottom, child.rect.bottom);
    }

    // The background where no child lies: the four pieces at their offsets.
    ::SetForegroundWindow(main);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(300);
    const struct {
        UINT bitmap;
        int x, y;     // in the window
        int bx, by;   // in the bitmap
    } pieces[] = {
        {TeacherRes::IDB_MAIN_FRAME_LEFT, 10, 300, 10, 280},
        {TeacherRes::IDB_MAIN_FRAME_TOP, 300, 10, 300, 10},
        {TeacherRes::IDB_MAIN_FRAME_BOTTOM, 300, 590, 300, 60},
        {TeacherRes::IDB_MAIN_RIGHT_PART, 790, 300, 248, 300}, // right of the panels
    };
    for (const auto& piece : pieces) {
        SCOPED_TRACE(piece.bitmap);
        EXPECT_EQ(ScreenPixel(main, piece.x, piece.y), ResourcePixel(install, piece.bitmap, piece.bx, piece.by));
    }

    // On the 1024-wide screen the background drags the window.
    if (screenWidth == 1024) {
        POINT background = {700, 300};
        ::ClientToScreen(main, &background);
        EXPECT_EQ(::SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(background.x, background.y)), HTCAPTION);
    }

    // The transport and the test library got the window.
    const std::string trace = install.Trace();
    EXPECT_NE(trace.find("Lectern LecternOpen window=" + HandleText(main) + " mainPort=2002 group=227.1.4.7"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("Quizhall T_InitTeacher window=" + HandleText(main)), std::string::npos) << trace;

    // Minimised it hides; restored it is back at its size, centred.
    ::ShowWindowAsync(main, SW_MINIMIZE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    ::ShowWindowAsync(main, SW_RESTORE);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) && !::IsIconic(main); }));
    ::Sleep(200);
    ::GetWindowRect(main, &window);
    EXPECT_EQ(window.right - window.left, 800);
    EXPECT_EQ(window.left, (screenWidth - 800) / 2);

    // The version box shows the default version and closes from its button.
    ::PostMessageA(main, WM_COMMAND, 867, 0);
    HWND version = install.FindWindowOf(kVersionTitle);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(kqtest::ChildTexts(version), kq::VersionText(770));
    HWND closeButton = ::GetDlgItem(version, kVersionCloseButton);
    ASSERT_NE(closeButton, nullptr);
    ::PostMessageA(version, WM_COMMAND, MAKEWPARAM(kVersionCloseButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(closeButton));
    EXPECT_TRUE(IsGone(version));

    // The close question: closed by its title nothing happens...
    ::PostMessageA(main, WM_COMMAND, 400, 0);
    HWND question = install.FindWindowOf(kQuestionTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(kqtest::ChildTexts(question).find(LoadTeacherString(install, TeacherRes::IDS_CLOSE_QUESTION)),
              std::string::npos);
    ::PostMessageA(question, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsGone(question));
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(install.Trace().find("LecternClose"), std::string::npos);

    // ...yes closes the window and the program.
    ::PostMessageA(main, WM_COMMAND, 400, 0);
    question = install.FindWindowOf(kQuestionTitle);
    ASSERT_NE(question, nullptr);
    ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(kYesButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(question, kYesButton)));
    ASSERT_TRUE(install.WaitForExit());

    const std::string end = install.Trace();
    for (const char* line : {"Lectern LecternClose", "Quizhall T_UnInitTeacher", "KqTransmit EndServerToSendDir",
                             "KqTransmit QuitFileServer", "Proxyward Stop"})
        EXPECT_NE(end.find(line), std::string::npos) << line << "\n" << end;

    // Saved keys written, the others and other sections kept.
    EXPECT_EQ(install.IniValue("ButtonConfig", "DefineFilePath"), install.PathOf("setting\\DefButton.txt"));
    EXPECT_EQ(install.IniValue("Ver", "ClassroomID"), "3");
    EXPECT_EQ(install.IniValue("Other", "ProxyIp"), "0.0.0.0");
    EXPECT_EQ(install.IniValue("Other", "RingFile"), "C:\\windows\\media\\notify.wav");
    EXPECT_EQ(install.IniValue("Setup", "Hits"), "8");
    EXPECT_EQ(install.IniValue("NetWork", "Multi_MainIP"), "227.1.1.7");
    EXPECT_EQ(install.IniValue("SEAT", "SeatCount"), "0");
}

// A start-up failure shows its warning; closing it ends the program through
// the normal destruction, which saves nothing.
struct FailureRoad {
    const char* name;
    UINT message;
    int item; // 0: the message alone
    void (*prepare)(TeacherInstall&);
    std::vector<std::string> environment;
};

class TeacherStartFailure : public testing::TestWithParam<FailureRoad> {};

TEST_P(TeacherStartFailure, WarnsAndEndsWithoutSaving)
{
    const FailureRoad& road = GetParam();
    TeacherInstall install;
    road.prepare(install);
    const std::string iniBefore = ReadFileBytes(install.PathOf("Teacher.ini"));
    ASSERT_TRUE(install.Start(road.environment));

    HWND warning = install.FindWindowOf(kWarningTitle);
    ASSERT_NE(warning, nullptr);
    const std::string message = LoadTeacherString(install, road.message);
    const std::string expected = road.item ? kq::StartupWarningText(message, road.item) : message;
    EXPECT_NE(kqtest::ChildTexts(warning).find(expected), std::string::npos) << kqtest::ChildTexts(warning);

    ::PostMessageA(warning, WM_CLOSE, 0, 0);
    ASSERT_TRUE(install.WaitForExit());
    EXPECT_EQ(ReadFileBytes(install.PathOf("Teacher.ini")), iniBefore) << "nothing saved";
    EXPECT_EQ(install.Trace().find("LecternClose"), std::string::npos);
    const std::string trace = install.Trace();
    EXPECT_EQ(trace.find("T_InitTeacher") == std::string::npos, trace.find("T_UnInitTeacher") == std::string::npos)
        << "the test library is closed exactly when it was opened\n" << trace;
}

INSTANTIATE_TEST_SUITE_P(
    Roads, TeacherStartFailure,
    testing::Values(
        FailureRoad{"NoTeacherIni", TeacherRes::IDS_CONFIG_UNREADABLE, 8,
                    [](TeacherInstall& i) { ::DeleteFileA(i.PathOf("Teacher.ini").c_str()); }, {}},
        FailureRoad{"NoRegistryValue", TeacherRes::IDS_CONFIG_UNREADABLE, 8,
                    [](TeacherInstall& i) { i.ForgetRegistryPath(); }, {}},
        FailureRoad{"EnvironmentCheckFails", TeacherRes::IDS_ENVIRONMENT_CHECK_FAILED, 3,
                    [](TeacherInstall& i) { i.UseDouble("KqCheck.dll"); }, {"KQ_TEST_KQTEST=-3"}},
        // The real check: DirectX 10 required, the stand-in has 9, and the
        // counter is past maxcount, so no result window first.
        FailureRoad{"RealCheckFindsDirectXTooOld", TeacherRes::IDS_ENVIRONMENT_CHECK_FAILED, 3,
                    [](TeacherInstall& i) {
                        const std::string ini = i.PathOf("student.ini");
                        ::WritePrivateProfileStringA("DIRECTX", "ver", "10", ini.c_str());
                        ::WritePrivateProfileStringA("STARTCOUNT", "count", "6", ini.c_str());
                        ::WritePrivateProfileStringA("STARTCOUNT", "maxcount", "5", ini.c_str());
                        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
                    },
                    {}},
        FailureRoad{"TransportDoesNotOpen", TeacherRes::IDS_TRANSPORT_OPEN_FAILED, 2,
                    [](TeacherInstall& i) { i.UseDouble("Lectern.dll"); }, {}},
        // student.ini names an adapter this PC does not have: no group can be joined.
        FailureRoad{"SocketsCannotJoin", TeacherRes::IDS_SOCKETS_FAILED, 1,
                    [](TeacherInstall& i) {
                        i.UseDouble("KqCheck.dll");
                        ::WritePrivateProfileStringA("NETADAPTER", "IPADDRESS", "198.18.9.9",
                                                     i.PathOf("student.ini").c_str());
                    },
                    {"KQ_TEST_KQTEST=0"}}),
    [](const testing::TestParamInfo<FailureRoad>& info) { return std::string(info.param.name); });

TEST(TeacherStart, NoConfigurationLeavesNoFileAndOpensNoTransport)
{
    TeacherInstall install;
    ::DeleteFileA(install.PathOf("Teacher.ini").c_str());
    ASSERT_TRUE(install.Start());
    HWND warning = install.FindWindowOf(kWarningTitle);
    ASSERT_NE(warning, nullptr);
    ::PostMessageA(warning, WM_CLOSE, 0, 0);
    ASSERT_TRUE(install.WaitForExit());
    EXPECT_EQ(::GetFileAttributesA(install.PathOf("Teacher.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(install.Trace().find("LecternOpen"), std::string::npos);
}

// Warnings that let the start go on: the check's display or sound failure
// (-2) and a missing web access control server.
TEST(TeacherStart, DisplayCheckFailureAndVersionFromTheProgramFolder)
{
    TeacherInstall install;
    install.UseDouble("KqCheck.dll");
    install.SetIniValue("Ver", "VersionID", "1234");
    ASSERT_TRUE(install.Start({"KQ_TEST_KQTEST=-2"}));
    HWND main = install.FindWindowOf(kMainTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(install.Traced("KqCheck KqTest path=" + install.PathOf("student.ini") + " mode=1"))
        << install.Trace();

    ::PostMessageA(main, WM_COMMAND, 867, 0);
    HWND version = install.FindWindowOf(kVersionTitle);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(kqtest::ChildTexts(version), kq::VersionText(1234));
    ::PostMessageA(version, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsGone(version));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
}

TEST(TeacherStart, MissingWebAccessServerOnlyWarns)
{
    TeacherInstall install;
    ::DeleteFileA(install.PathOf("Proxyward.dll").c_str());
    ASSERT_TRUE(install.Start());
    HWND warning = install.FindWindowOf(kWarningTitle);
    ASSERT_NE(warning, nullptr);
    EXPECT_NE(kqtest::ChildTexts(warning).find(kq::StartupWarningText(
                  LoadTeacherString(install, TeacherRes::IDS_WEB_CONTROL_UNAVAILABLE), 29)),
              std::string::npos);
    ::PostMessageA(warning, WM_CLOSE, 0, 0);
    HWND main = install.FindWindowOf(kMainTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitFor([&] { return install.Traced("Lectern LecternOpen window="); }));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
}

} // namespace
