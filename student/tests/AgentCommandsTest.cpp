// The teacher's commands posted to the running agent as the transport would
// deliver them (those with records through the test agent); what they do is
// seen in its windows, its trace, its student.ini and the registry. (Most
// commands with records run through the transport in tests/classroom.)

#include "common/DirectoryReceiveRecord.h"
#include "common/LecternMessages.h"
#include "common/ProgramFolder.h"
#include "common/SwitchList.h"
#include "common/TeacherMessage.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "student/CountdownText.h"
#include "student/tests/StudentAgentInstall.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using kqtest::StudentAgentInstall;

constexpr UINT kSeatButton = 32776;
constexpr UINT kHandUpButton = 32771;
constexpr UINT kHandInButton = 32772;
constexpr UINT kPeerSignal = 6030;
constexpr DWORD kQuietMs = 500;
constexpr int kReceiveProgressId = 1007;
constexpr int kMessageTitleId = 1003;
constexpr int kMessageTextId = 1004;
constexpr int kMessageOkId = 102;
constexpr char kSwitchKey[] = "Software\\KqTest\\AgentSwitches";
const std::string kRegisterIni = std::string("[5]\r\npath=") + kSwitchKey + "\r\nkey=NoRun\r\n";

void Command(HWND frame, WORD code, LPARAM value = 0, WORD subCode = 0)
{
    ::PostMessageA(frame, WM_LECTERN_NOTIFY, MAKEWPARAM(code, subCode), value);
}

// The agent's visible top-level windows that hold a control `id`.
std::vector<HWND> WindowsWithControl(DWORD process, int id)
{
    return kq::standin::ProcessWindows(
        process, [id](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, id) != nullptr; });
}

// Closes the message box the agent shows now and returns its text.
std::string TakeMessage(const StudentAgentInstall& install)
{
    const HWND box = install.MessageBox();
    if (box == nullptr)
        return "(no message)";
    const std::string text = StudentAgentInstall::MessageText(box);
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    kqtest::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); });
    return text;
}

class AgentCommands : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& environment = {})
    {
        ASSERT_TRUE(m_install.Start(environment));
        m_frame = m_install.Frame();
        ASSERT_NE(m_frame, nullptr);
        m_toolbar = m_install.ToolBar();
    }
    bool Enabled(UINT button) const { return ::IsWindowEnabled(::GetDlgItem(m_toolbar, static_cast<int>(button))); }

    StudentAgentInstall m_install{"A7"};
    HWND m_frame = nullptr;
    HWND m_toolbar = nullptr;
};

TEST_F(AgentCommands, ButtonsFollowTheirCommands)
{
    Start();
    ASSERT_NE(m_toolbar, nullptr);
    const struct {
        WORD code;
        WORD subCode;
        LPARAM value;
        UINT button;
        bool enabled;
    } steps[] = {
        {kq::kStudentConnection, 0, 1, kSeatButton, true},
        {kq::kStudentConnection, 0, 0, kSeatButton, true}, // 0 changes nothing
        {kq::kStudentHandUpButton, 0, 1, kHandUpButton, true},
        {kq::kStudentHandInButton, 1, 0, kHandInButton, true},
        {kq::kStudentDisable, 0, 0, kSeatButton, false},
        {kq::kStudentHandInButton, 1, 0, kHandInButton, true},
        {kq::kStudentDisable, 0, 0, kHandInButton, false},
        {kq::kStudentHandUpButton, 0, 0, kHandUpButton, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.code) + "/" + std::to_string(step.value));
        Command(m_frame, step.code, step.value, step.subCode);
        EXPECT_TRUE(kqtest::WaitFor([&] { return Enabled(step.button) == step.enabled; }, 3000));
    }
    EXPECT_EQ(m_install.TraceCount("S_AbortTest"), 2) << "code 1 aborts the test";
}

TEST_F(AgentCommands, RollCallOpensOnceWithTheToolbarDisabledAndEndsOnCode28)
{
    Start();
    ASSERT_NE(m_toolbar, nullptr);
    Command(m_frame, kq::kStudentRollCall);
    HWND calling = m_install.Window("calling");
    ASSERT_NE(calling, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(m_toolbar));
    Command(m_frame, kq::kStudentRollCall);
    ::Sleep(kQuietMs);
    EXPECT_EQ(WindowsWithControl(m_install.ProcessId(), 1000).size(), 1u) << "a second roll call does nothing";

    Command(m_frame, kq::kStudentEndRollCall);
    EXPECT_TRUE(kqtest::WaitFor([&] { return !::IsWindow(calling); }));
    EXPECT_TRUE(kqtest::WaitFor([&] { return ::IsWindowEnabled(m_toolbar) != FALSE; }));
    EXPECT_FALSE(m_install.Traced("LecternSendRequest type=3")) << "an ended roll call sends nothing";

    Command(m_frame, kq::kStudentRollCall);
    calling = m_install.Window("calling");
    ASSERT_NE(calling, nullptr);
    ::SendMessageA(::GetDlgItem(calling, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("到"));
    ::PostMessageA(calling, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(calling, 102)));
    EXPECT_TRUE(m_install.WaitForTrace("LecternSendRequest type=3")) << m_install.Trace();
    Command(m_frame, kq::kStudentEndRollCall); // no roll call open: nothing to end
    ::Sleep(kQuietMs);
    EXPECT_TRUE(m_install.Running());
}

TEST_F(AgentCommands, NoticesAndTestResultsShowTheirMessages)
{
    Start({"KQ_QUIZHALL_S_FinishTest=-2"});
    Command(m_frame, kq::kStudentRestartNotice, 5);
    EXPECT_EQ(TakeMessage(m_install), kq::RestartCountdownText(5));
    Command(m_frame, kq::kStudentShutdownNotice, 120);
    EXPECT_EQ(TakeMessage(m_install), kq::ShutdownCountdownText(120));
    Command(m_frame, kq::kStudentMessage61519);
    EXPECT_EQ(TakeMessage(m_install), kqtest::SatchelText(61519));
    Command(m_frame, kq::kStudentMessage61501);
    EXPECT_EQ(TakeMessage(m_install), kqtest::SatchelText(61501));
    Command(m_frame, kq::kStudentFinishTest);
    EXPECT_EQ(TakeMessage(m_install), kqtest::SatchelText(61485));

    Command(m_frame, kq::kStudentLengthenTest, 10);
    Command(m_frame, kq::kStudentAbortTest);
    Command(m_frame, kq::kStudentShowAnswers);
    EXPECT_TRUE(m_install.WaitForTrace("Quizhall S_ShowPaperAndAnswer"));
    EXPECT_TRUE(m_install.Traced("Quizhall S_LengthenTime minutes=10"));
    EXPECT_TRUE(m_install.Traced("Quizhall S_AbortTest"));
    ::SetEnvironmentVariableA("KQ_QUIZHALL_S_FinishTest", nullptr);
}

TEST_F(AgentCommands, DesktopShellAndEditor)
{
    Start();
    ASSERT_NE(m_toolbar, nullptr);
    Command(m_frame, kq::kStudentDesktopShell, 1);
    EXPECT_TRUE(m_install.WaitForTrace("KqDesk KqStartKqDesk"));
    EXPECT_EQ(m_install.Ini("DESKTOPTYPE", "type"), "1");
    EXPECT_TRUE(kqtest::WaitFor([&] { return !::IsWindowVisible(m_toolbar); }));
    Command(m_frame, kq::kStudentDesktopShell, 0);
    EXPECT_TRUE(m_install.WaitForTrace("KqDesk KqCloseKqDesk"));
    EXPECT_EQ(m_install.Ini("DESKTOPTYPE", "type"), "0");
    EXPECT_TRUE(kqtest::WaitFor([&] { return ::IsWindowVisible(m_toolbar) != FALSE; }));

    // No editor installed: its message; the folders are made anyway.
    Command(m_frame, kq::kStudentDesktopEditor);
    EXPECT_EQ(TakeMessage(m_install), kqtest::SatchelText(61470));
    for (const char* folder : {"config\\晨星桌面", "config\\晨星程序"})
        EXPECT_NE(::GetFileAttributesA(m_install.PathOf(folder).c_str()), INVALID_FILE_ATTRIBUTES) << folder;

    // A small program in its place opens without a message.
    ::CopyFileA((kq::GetProgramFolder() + "HelpRecorder.exe").c_str(),
                m_install.PathOf("KqDeskContral.exe").c_str(), FALSE);
    Command(m_frame, kq::kStudentDesktopEditor);
    EXPECT_EQ(m_install.MessageBox(2000), nullptr);
}

TEST_F(AgentCommands, ChangingTheClassroomRewritesItAndLogsOnAgain)
{
    Start();
    ASSERT_TRUE(m_install.WaitForTrace("LecternOpen record"));
    Command(m_frame, kq::kStudentChangeClassroom, 5);
    EXPECT_TRUE(kqtest::WaitFor([&] { return m_install.TraceCount("LecternOpen record") == 2; })) << m_install.Trace();
    EXPECT_EQ(m_install.Ini("VER", "ClassRoomID"), "5");
    const std::string trace = m_install.Trace();
    EXPECT_LT(trace.find("LecternClose"), trace.rfind("LecternOpen record"));
    EXPECT_TRUE(m_install.Running());
}

TEST_F(AgentCommands, LinkListAndTalkOpenOnce)
{
    Start();
    ASSERT_NE(m_toolbar, nullptr);
    Command(m_frame, kq::kStudentLinkList, ::inet_addr("10.0.0.1"), 8080);
    ASSERT_TRUE(kqtest::WaitFor([&] { return WindowsWithControl(m_install.ProcessId(), 1013).size() == 1; }));
    Command(m_frame, kq::kStudentLinkList, ::inet_addr("10.0.0.1"), 8080);
    ::Sleep(kQuietMs);
    EXPECT_EQ(WindowsWithControl(m_install.ProcessId(), 1013).size(), 1u);
    char proxy[64] = {};
    DWORD size = sizeof proxy;
    ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                   "ProxyServer", RRF_RT_REG_SZ, nullptr, proxy, &size);
    EXPECT_STREQ(proxy, "10.0.0.1:8080");
    ::PostMessageA(WindowsWithControl(m_install.ProcessId(), 1013).front(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(kqtest::WaitFor([&] { return WindowsWithControl(m_install.ProcessId(), 1013).empty(); }));

    Command(m_frame, kq::kStudentTalk);
    ASSERT_TRUE(kqtest::WaitFor([&] { return WindowsWithControl(m_install.ProcessId(), 1009).size() == 1; }));
    EXPECT_FALSE(::IsWindowEnabled(m_toolbar));
    Command(m_frame, kq::kStudentTalk);
    ::Sleep(kQuietMs);
    EXPECT_EQ(WindowsWithControl(m_install.ProcessId(), 1009).size(), 1u);
    ::PostMessageA(WindowsWithControl(m_install.ProcessId(), 1009).front(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(kqtest::WaitFor([&] { return WindowsWithControl(m_install.ProcessId(), 1009).empty(); }));
    EXPECT_TRUE(kqtest::WaitFor([&] { return ::IsWindowEnabled(m_toolbar) != FALSE; }));
}

LRESULT CALLBACK JoinerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPeerSignal)
        ::SetPropA(window, "signal", reinterpret_cast<HANDLE>(wParam + 1));
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(AgentCommands, HandOverSignalsTheJoinerAndEnds)
{
    Start();
    // Without the joiner's window or program the agent stays.
    Command(m_frame, kq::kStudentHandOver);
    EXPECT_EQ(TakeMessage(m_install), kqtest::SatchelText(61502));
    EXPECT_TRUE(m_install.Running());

    WNDCLASSA joinerClass = {};
    joinerClass.lpfnWndProc = JoinerProc;
    joinerClass.lpszClassName = "KqTestJoiner";
    ::RegisterClassA(&joinerClass);
    const HWND joiner = ::CreateWindowExA(0, "KqTestJoiner", "KqGhost", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                          nullptr, nullptr);
    ASSERT_NE(joiner, nullptr);
    Command(m_frame, kq::kStudentHandOver);
    const bool signalled = kqtest::WaitFor([&] {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        return ::GetPropA(joiner, "signal") != nullptr;
    });
    EXPECT_TRUE(signalled);
    EXPECT_EQ(reinterpret_cast<WPARAM>(::GetPropA(joiner, "signal")), 2u + 1) << "wParam 2";
    EXPECT_TRUE(m_install.WaitForExit());
    ::RemovePropA(joiner, "signal");
    ::DestroyWindow(joiner);
}

TEST_F(AgentCommands, ClosingWhileTheRollCallIsOpenEndsCleanly)
{
    Start();
    Command(m_frame, kq::kStudentRollCall);
    ASSERT_NE(m_install.Window("calling"), nullptr);
    ::PostMessageA(m_frame, WM_HOTKEY, ::GlobalFindAtomA("KqStudent"), 0);
    ASSERT_TRUE(m_install.WaitForExit());
    EXPECT_EQ(m_install.TraceCount("LecternClose called"), 1) << "the frame cleaned up once";
}

TEST_F(AgentCommands, TheTeachersMessageAndTextShowWithTheirRecords)
{
    Start();
    kq::TeacherMessage message = {};
    std::strcpy(message.title, "通知");
    std::strcpy(message.text, "下课后交作业");
    std::strcpy(message.signature, "王老师");
    ASSERT_TRUE(m_install.Deliver(kq::kStudentTeacherMessage, message));
    HWND shown = nullptr;
    ASSERT_TRUE(kqtest::WaitFor([&] {
        const std::vector<HWND> found = WindowsWithControl(m_install.ProcessId(), kMessageTitleId);
        shown = found.empty() ? nullptr : found.front();
        return shown != nullptr;
    }));
    std::string text;
    EXPECT_TRUE(kqtest::WaitFor([&] {
        // An edit control of another process answers only WM_GETTEXT.
        char buffer[1024] = {};
        ::SendMessageA(::GetDlgItem(shown, kMessageTextId), WM_GETTEXT, sizeof buffer,
                       reinterpret_cast<LPARAM>(buffer));
        text = buffer;
        return !text.empty();
    }));
    EXPECT_EQ(kqtest::WindowText(::GetDlgItem(shown, kMessageTitleId)), "通知");
    EXPECT_EQ(text.rfind("下课后交作业\r\n\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("王老师"), std::string::npos) << text;
    EXPECT_FALSE(::IsWindowEnabled(m_toolbar)) << "the toolbar waits while the message shows";
    ::PostMessageA(shown, WM_COMMAND, MAKEWPARAM(kMessageOkId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(shown, kMessageOkId)));
    EXPECT_TRUE(kqtest::WaitFor([&] { return ::IsWindowEnabled(m_toolbar) != FALSE; }));

    const char notice[] = "请安静";
    ASSERT_TRUE(m_install.Deliver(kq::kStudentTextNotice, notice));
    EXPECT_EQ(TakeMessage(m_install), notice);
}

TEST_F(AgentCommands, TheReceiveDialogEndsOnABadKindAndTheAgentClosesCleanlyUnderIt)
{
    Start();
    ASSERT_TRUE(m_install.Deliver(kq::kStudentReceiveDirectory, kq::DirectoryReceiveRecord{0, 5}));
    ASSERT_TRUE(m_install.WaitForTrace("KqTransmit UnInitReceiver")) << "a bad kind ends the dialog at once";
    EXPECT_FALSE(m_install.Traced("KqTransmit InitReceiver "));

    // The ended dialog let go of its once-at-a-time counter: a file receive opens.
    ASSERT_TRUE(m_install.Deliver(kq::kStudentReceiveDirectory, kq::DirectoryReceiveRecord{0, kq::kReceiveFile}));
    ASSERT_TRUE(m_install.WaitForTrace("KqTransmit RecvFile"));
    ASSERT_TRUE(kqtest::WaitFor([&] { return !WindowsWithControl(m_install.ProcessId(), kReceiveProgressId).empty(); }));
    ::PostMessageA(m_frame, WM_HOTKEY, ::GlobalFindAtomA("KqStudent"), 0);
    ASSERT_TRUE(m_install.WaitForExit());
    EXPECT_EQ(m_install.TraceCount("LecternClose called"), 1) << "the frame cleaned up once";
}

TEST_F(AgentCommands, RestrictionSwitchesAreLeftAloneOnAFixedDisk)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSwitchKey);
    m_install.SetRegisterIni(kRegisterIni);
    Start();
    kq::SwitchList list = {};
    list.count = 1;
    list.pairs[0] = {4, 1}; // section 5
    ASSERT_TRUE(m_install.Deliver(kq::kStudentSwitches, list));
    // A value command after it has run once the switch list has.
    const int aborts = m_install.TraceCount("Quizhall S_AbortTest");
    Command(m_frame, kq::kStudentAbortTest);
    ASSERT_TRUE(kqtest::WaitFor([&] { return m_install.TraceCount("Quizhall S_AbortTest") > aborts; }));
    DWORD value = 0;
    EXPECT_FALSE(kqtest::ReadUserDword(kSwitchKey, "NoRun", value)) << "an NT PC on a fixed disk ignores them";
}

} // namespace
