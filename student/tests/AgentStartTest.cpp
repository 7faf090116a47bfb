// The agent started as a program from a temporary installation: one copy,
// hidden, its toolbar, the transport opened with the configured record, and
// the roads by which a start fails.

#include "common/PeerNames.h"
#include "student/tests/StudentAgentInstall.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using kqtest::StudentAgentInstall;

constexpr UINT kSeatButton = 32776;
constexpr UINT kHandUpButton = 32771;
constexpr UINT kHandInButton = 32772;
constexpr UINT kRequestButton = 32773;
constexpr UINT kHideButton = 32774;
constexpr UINT kVersionButton = 32775;

bool MutexExists()
{
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, "KqStudent");
    if (mutex == nullptr)
        return false;
    ::CloseHandle(mutex);
    return true;
}

// True when the exit hot key's combination is free for this process.
bool ExitHotKeyFree()
{
    constexpr int kProbeId = 0x7001;
    if (!::RegisterHotKey(nullptr, kProbeId, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'X'))
        return false;
    ::UnregisterHotKey(nullptr, kProbeId);
    return true;
}

void PressHotKey(HWND frame, const char* name)
{
    ::PostMessageA(frame, WM_HOTKEY, ::GlobalFindAtomA(name), 0);
}

HWND Button(HWND toolbar, UINT id)
{
    return ::GetDlgItem(toolbar, static_cast<int>(id));
}

TEST(AgentStart, RunsOnceHiddenWithItsToolbarAndEndsCleanlyOnTheExitHotKey)
{
    StudentAgentInstall install("A7");
    ASSERT_TRUE(install.Start());
    const HWND frame = install.Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(::IsWindowVisible(frame));
    // Group 227.1.1.7 + classroom 300, MainPort 65536, lock path "KQ". The
    // toolbar is complete before the transport opens.
    EXPECT_TRUE(install.WaitForTrace("LecternOpen record size=332 edition=0 perhost=0 port=6000 group=227.1.45.7 "
                                     "at24=8 seat=A7 lock=[] version=700"))
        << install.Trace();

    const HWND toolbar = install.ToolBar();
    ASSERT_NE(toolbar, nullptr);
    RECT bar = {};
    ::GetWindowRect(toolbar, &bar);
    EXPECT_EQ(bar.left, ::GetSystemMetrics(SM_CXSCREEN) - 256);
    EXPECT_EQ(bar.top, 40) << "px 0 keeps the stored py";
    EXPECT_EQ(bar.right - bar.left, 229);
    EXPECT_EQ(bar.bottom - bar.top, 33);
    EXPECT_EQ(kqtest::ChildrenOfClass(toolbar, "Button").size(), 6u);
    for (UINT id : {kVersionButton, kRequestButton, kHideButton})
        EXPECT_TRUE(::IsWindowEnabled(Button(toolbar, id))) << id;
    for (UINT id : {kSeatButton, kHandUpButton, kHandInButton})
        EXPECT_FALSE(::IsWindowEnabled(Button(toolbar, id))) << id;
    EXPECT_EQ(kqtest::WindowText(Button(toolbar, kSeatButton)), "A7");

    EXPECT_TRUE(install.Traced("KqTest path=" + install.IniPath() + " mode=1 "));

    EXPECT_TRUE(install.SecondCopyEndsQuietly());
    EXPECT_TRUE(install.Running());
    EXPECT_TRUE(MutexExists());
    EXPECT_FALSE(ExitHotKeyFree()) << "the agent holds Ctrl+Alt+Shift+X";

    ::SetWindowPos(toolbar, nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PressHotKey(frame, "KqStudent");
    ASSERT_TRUE(install.WaitForExit());
    EXPECT_EQ(install.Ini("POSITION", "px"), "120");
    EXPECT_EQ(install.Ini("POSITION", "py"), "130");

    const std::string trace = install.Trace();
    const size_t end = trace.find("EndServerToSendDir");
    const size_t abort = trace.find("S_AbortTest");
    const size_t uninit = trace.find("S_UnInitStudent");
    const size_t close = trace.find("LecternClose called");
    ASSERT_NE(end, std::string::npos) << trace;
    EXPECT_LT(end, abort);
    EXPECT_LT(abort, uninit);
    EXPECT_LT(uninit, close);
    EXPECT_EQ(install.TraceCount("LecternClose called"), 1);
    EXPECT_FALSE(install.Traced("KqCloseKqDesk")) << "no desk ran";
    EXPECT_FALSE(MutexExists());
    EXPECT_TRUE(ExitHotKeyFree());
}

TEST(AgentStart, EditionOneHasFiveButtonsAndChecksInModeEleven)
{
    StudentAgentInstall install("A7");
    install.SetIni("VER", "version", "1");
    install.SetIni("POSITION", "px", "-1");
    ASSERT_TRUE(install.Start());
    ASSERT_TRUE(install.WaitForTrace("edition=1 "));
    const HWND toolbar = install.ToolBar();
    ASSERT_NE(toolbar, nullptr);
    RECT bar = {};
    ::GetWindowRect(toolbar, &bar);
    EXPECT_EQ(bar.right - bar.left, 200);
    EXPECT_EQ(bar.left, ::GetSystemMetrics(SM_CXSCREEN) - 256);
    EXPECT_EQ(bar.top, 0) << "px -1 puts the bar at the top";
    EXPECT_EQ(kqtest::ChildrenOfClass(toolbar, "Button").size(), 5u);
    EXPECT_EQ(Button(toolbar, kRequestButton), nullptr);
    EXPECT_TRUE(install.Traced(" mode=11 "));
}

struct FailureCase {
    const char* name;
    std::function<void(StudentAgentInstall&)> arrange;
    const char* verdict; // the environment check's answer, or null
    UINT message;        // 0: ends without a message
};

TEST(AgentStart, FailuresShowTheirMessageAndEndWhenItCloses)
{
    const FailureCase cases[] = {
        {"no install path", [](StudentAgentInstall& i) { i.ForgetRegistryPath(); }, nullptr, 61469},
        {"edition 2", [](StudentAgentInstall& i) { i.SetIni("VER", "version", "2"); }, nullptr, 61454},
        {"VersionID absent", [](StudentAgentInstall& i) { i.SetIni("VER", "VersionID", nullptr); }, nullptr, 61463},
        {"ClassroomID 2002", [](StudentAgentInstall& i) { i.SetIni("VER", "ClassRoomID", "2002"); }, nullptr,
         61461},
        {"check failed", [](StudentAgentInstall&) {}, "-3", 61464},
        {"check without path", [](StudentAgentInstall&) {}, "-100", 61464},
        {"check window closed", [](StudentAgentInstall&) {}, "-99", 0},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        StudentAgentInstall install("A7");
        c.arrange(install);
        std::vector<std::string> environment;
        if (c.verdict != nullptr)
            environment.push_back(std::string("KQ_TEST_KQTEST=") + c.verdict);
        ASSERT_TRUE(install.Start(environment));
        if (c.message != 0) {
            const HWND box = install.MessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(StudentAgentInstall::MessageText(box), kqtest::SatchelText(c.message));
            EXPECT_TRUE(install.Running()) << "the box holds the start";
            ::PostMessageA(box, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(install.WaitForExit());
        EXPECT_FALSE(install.Traced("LecternOpen record")) << install.Trace();
    }
}

// The real KqCheck.dll beside the agent, on this PC's requirements: the
// installed operating systems and display limits, and one of the test
// network's two addresses, so that no adapter choice is asked.
void RequireThisPc(StudentAgentInstall& install)
{
    const char* const rows[][4] = {{"1", "10", "0", "2"}, {"2", "6", "1", "2"}, {"3", "6", "2", "2"},
                                   {"4", "6", "3", "2"},  {"5", "5", "1", "2"}};
    for (const auto& row : rows) {
        install.SetIni("OS", (std::string("OSmajorversion") + row[0]).c_str(), row[1]);
        install.SetIni("OS", (std::string("OSminorversion") + row[0]).c_str(), row[2]);
        install.SetIni("OS", (std::string("OSplatformid") + row[0]).c_str(), row[3]);
    }
    install.SetIni("DISPLAY", "widthmax", "3840");
    install.SetIni("DISPLAY", "heightmax", "2160");
    install.SetIni("DISPLAY", "colormax", "32");
    install.SetIni("NETADAPTER", "IPADDRESS", "198.18.0.1");
}

TEST(AgentStart, RealCheckPassesThisPcAndStopsOnDirectXTooOld)
{
    {
        StudentAgentInstall install("A7");
        RequireThisPc(install);
        install.SetIni("VER", "version", "1"); // mode 11: the test PCs have no sound card
        ASSERT_TRUE(install.Start({"KQ_TEST_KQTEST=real"}));
        EXPECT_TRUE(install.WaitForTrace("LecternOpen record")) << install.Trace();
        EXPECT_TRUE(install.Traced(" mode=11 -> 0")) << install.Trace();
        EXPECT_EQ(install.Ini("STARTCOUNT", "count"), "1");
    }
    StudentAgentInstall install("A7");
    RequireThisPc(install);
    install.SetIni("DIRECTX", "ver", "10"); // the stand-in reports DirectX 9
    install.SetIni("STARTCOUNT", "count", "6");
    install.SetIni("STARTCOUNT", "maxcount", "5");
    ASSERT_TRUE(install.Start({"KQ_TEST_KQTEST=real"}));
    const HWND box = install.MessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(StudentAgentInstall::MessageText(box), kqtest::SatchelText(61464));
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
    EXPECT_TRUE(install.Traced(" -> -3")) << install.Trace();
}

// The result window opens on the agent's start-up thread; the joiner's
// close request ends it and the agent then ends without a message.
TEST(AgentStart, RealCheckWindowEndsTheAgentOnTheCloseRequest)
{
    StudentAgentInstall install("A7");
    RequireThisPc(install);
    install.SetIni("DISPLAY", "widthmax", "800");
    ASSERT_TRUE(install.Start({"KQ_TEST_KQTEST=real"}));
    const HWND window = install.Window(kq::kCheckTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(install.Traced("LecternOpen record"));
    ::PostMessageA(window, WM_CHECK_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
    EXPECT_TRUE(install.Traced(" -> -99")) << install.Trace();
    EXPECT_FALSE(install.Traced("LecternOpen record"));
}

TEST(AgentStart, PassingChecksGoOn)
{
    for (const char* verdict : {"0", "-2"}) {
        SCOPED_TRACE(verdict);
        StudentAgentInstall install("A7");
        ASSERT_TRUE(install.Start({std::string("KQ_TEST_KQTEST=") + verdict}));
        EXPECT_TRUE(install.WaitForTrace("LecternOpen record"));
        EXPECT_TRUE(install.Running());
    }
}

TEST(AgentStart, AMissingSeatIsAskedForOnceTheAgentRuns)
{
    struct SeatCase {
        const char* stored; // null: no key
        bool cancel;
    };
    const SeatCase cases[] = {{nullptr, true}, {"", false}, {"NULL", false}};
    for (const SeatCase& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        StudentAgentInstall install(c.stored);
        ASSERT_TRUE(install.Start());
        const HWND dialog = install.Window("KqInputNumberDlg");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(install.Ini("STUDENTNUMBER", "number"), "NULL");
        EXPECT_FALSE(ExitHotKeyFree()) << "hot keys come up before the seat is asked";
        EXPECT_FALSE(install.Traced("LecternOpen record"));
        if (c.cancel) {
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(103, BN_CLICKED), 0);
            EXPECT_TRUE(install.WaitForExit());
            EXPECT_FALSE(install.Traced("LecternOpen record"));
            continue;
        }
        ::SetDlgItemTextA(dialog, 1000, "B3");
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);
        EXPECT_TRUE(install.WaitForTrace("seat=B3 "));
        EXPECT_EQ(install.Ini("STUDENTNUMBER", "number"), "B3");
        EXPECT_EQ(kqtest::WindowText(Button(install.ToolBar(), kSeatButton)), "B3");
        EXPECT_TRUE(install.Running());
    }
}

} // namespace
