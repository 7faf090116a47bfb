// The frame's messages posted to "KqStudent" from outside, as the other
// student programs, the desktop shell, the transfer library and the
// transport post them; the notices it sends; and every road of closing.

#include "common/ConfigNotice.h"
#include "common/SystemErrorText.h"
#include "student/tests/GroupPeer.h"
#include "student/tests/StudentAgentInstall.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using kqtest::StudentAgentInstall;

constexpr UINT kWmPeerSignal = 6030;
constexpr UINT kWmTransmitDone = 0xBEE;
constexpr UINT kWmLecternError = 0x464;
constexpr UINT kWmDeskButton = 0x7EA;
constexpr UINT kVersionCommand = 32775;

class AgentMessages : public ::testing::Test {
protected:
    void Start(const char* seat = "A7")
    {
        ASSERT_TRUE(m_install.Start());
        m_frame = m_install.Frame();
        ASSERT_NE(m_frame, nullptr);
        if (seat != nullptr) {
            ASSERT_TRUE(m_install.WaitForTrace("LecternOpen record"));
        }
    }

    // Closes the agent's message box, which must show `expected`.
    void ExpectBox(const std::string& expected)
    {
        const HWND box = m_install.MessageBox();
        ASSERT_NE(box, nullptr) << expected;
        EXPECT_EQ(StudentAgentInstall::MessageText(box), expected);
        ::PostMessageA(box, WM_CLOSE, 0, 0);
        EXPECT_TRUE(kqtest::WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }));
    }

    // The agent stays: no exit within a short wait.
    void ExpectRunning() { EXPECT_FALSE(m_install.WaitForExit(1000)); }

    StudentAgentInstall m_install{"A7"};
    HWND m_frame = nullptr;
};

// The notices that arrive within `timeoutMs`, as datagrams.
std::vector<kq::ConfigNotice> Collect(studenttest::GroupPeer& peer, DWORD timeoutMs, size_t atMost)
{
    std::vector<kq::ConfigNotice> notices;
    const DWORD start = ::GetTickCount();
    std::string bytes;
    while (notices.size() < atMost && ::GetTickCount() - start < timeoutMs) {
        if (!peer.Receive(bytes, timeoutMs))
            break;
        if (bytes.size() != sizeof(kq::ConfigNotice))
            continue;
        kq::ConfigNotice notice;
        std::memcpy(&notice, bytes.data(), sizeof notice);
        notices.push_back(notice);
    }
    return notices;
}

std::string HostName()
{
    char name[100] = {};
    ::gethostname(name, sizeof name);
    return name;
}

TEST_F(AgentMessages, ToolbarCommandsSendTheirRequests)
{
    Start();
    ::PostMessageA(m_frame, WM_COMMAND, 32771, 0);
    EXPECT_TRUE(m_install.WaitForTrace("LecternSendRequest type=1"));
    ::PostMessageA(m_frame, WM_COMMAND, 32773, 0);
    EXPECT_TRUE(m_install.WaitForTrace("LecternSendRequest type=4"));
}

TEST_F(AgentMessages, HandUpHotKeyAndDeskButtonsAskTheToolbarFirst)
{
    Start();
    ::PostMessageA(m_frame, WM_HOTKEY, ::GlobalFindAtomA("HandUp"), 0);
    ExpectBox(kqtest::SatchelText(61498));
    // Desk button 3 in edition 0 looks at the (disabled) hand-in button.
    ::PostMessageA(m_frame, kWmDeskButton, 1, 3);
    ExpectBox(kqtest::SatchelText(61499));
    ::PostMessageA(m_frame, kWmDeskButton, 1, 2);
    EXPECT_TRUE(m_install.WaitForTrace("LecternSendRequest type=4"));
    EXPECT_FALSE(m_install.Traced("LecternSendRequest type=1")) << "no hand-up while it is not allowed";

    // The teacher allows hand-up (command 25): the hot key sends it.
    constexpr UINT kWmLecternNotify = 0x465;
    constexpr WPARAM kHandUpButtonCommand = 25;
    ::PostMessageA(m_frame, kWmLecternNotify, kHandUpButtonCommand, 1);
    ::PostMessageA(m_frame, WM_HOTKEY, ::GlobalFindAtomA("HandUp"), 0);
    EXPECT_TRUE(m_install.WaitForTrace("LecternSendRequest type=1"));
    EXPECT_EQ(m_install.MessageBox(500), nullptr);
}

TEST_F(AgentMessages, TransferResults)
{
    Start();
    ::PostMessageA(m_frame, kWmTransmitDone, 15, 0);
    ExpectBox(kqtest::SatchelText(61488));
    EXPECT_TRUE(m_install.Traced("QuitFileClient"));

    ::PostMessageA(m_frame, kWmTransmitDone, 21, -7);
    ::PostMessageA(m_frame, kWmTransmitDone, 3, 0); // no such event
    ExpectRunning();
    EXPECT_FALSE(m_install.Traced("EndClientToRecvDir")) << "-7 is no failure of the receive";
    ::PostMessageA(m_frame, kWmTransmitDone, 21, -3);
    ExpectBox(kqtest::SatchelText(61491));
    EXPECT_TRUE(m_install.Traced("EndClientToRecvDir"));
}

TEST_F(AgentMessages, TransportErrorsReportAndKindTwoEnds)
{
    Start();
    ::PostMessageA(m_frame, kWmLecternError, 1, ERROR_ACCESS_DENIED);
    ExpectBox(kq::SystemErrorText(ERROR_ACCESS_DENIED));
    ExpectRunning();
    ::PostMessageA(m_frame, kWmLecternError, 7, ERROR_ACCESS_DENIED); // no such kind
    ExpectRunning();
    EXPECT_EQ(m_install.MessageBox(0), nullptr);
    ::PostMessageA(m_frame, kWmLecternError, 2, ERROR_FILE_NOT_FOUND);
    ExpectBox(kq::SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(m_install.WaitForExit());
    EXPECT_EQ(m_install.TraceCount("S_UnInitStudent"), 1);
}

TEST_F(AgentMessages, TheSystemCloseCommandIsIgnored)
{
    Start();
    ::PostMessageA(m_frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectRunning();
    EXPECT_FALSE(m_install.Traced("LecternClose"));
}

TEST_F(AgentMessages, PeerSignalsAnnounceTheConfiguration)
{
    studenttest::GroupPeer peer("227.1.1.6", 5998);
    ASSERT_TRUE(peer.Ok());
    Start();
    const std::string host = HostName();

    ::PostMessageA(m_frame, kWmPeerSignal, 2, 0);
    const std::vector<kq::ConfigNotice> first = Collect(peer, 3000, 7);
    ASSERT_EQ(first.size(), 7u);
    for (const kq::ConfigNotice& copy : first)
        EXPECT_EQ(std::memcmp(&copy, &first[0], sizeof copy), 0) << "seven identical copies";
    EXPECT_EQ(first[0].kind, 1);
    EXPECT_EQ(first[0].stamp, 0) << "the first notice of the agent";
    EXPECT_EQ(std::string(first[0].host), host);
    EXPECT_EQ(std::string(first[0].path), m_install.IniPath());

    // A second signal at once: its stamp differs from the first's.
    ::PostMessageA(m_frame, kWmPeerSignal, 2, 0);
    const std::vector<kq::ConfigNotice> second = Collect(peer, 3000, 7);
    ASSERT_EQ(second.size(), 7u);
    EXPECT_NE(second[0].stamp, first[0].stamp);

    const DWORD posted = ::GetTickCount();
    ::PostMessageA(m_frame, kWmPeerSignal, 3, 0);
    const std::vector<kq::ConfigNotice> folders = Collect(peer, 6000, 7);
    ASSERT_EQ(folders.size(), 7u);
    EXPECT_GE(::GetTickCount() - posted, 2900u) << "sent 3 s later";
    EXPECT_EQ(folders[0].kind, 2);
    EXPECT_EQ(std::string(folders[0].path), "C:\\" + host + "\\config");
    EXPECT_NE(folders[0].stamp, second[0].stamp);

    ::PostMessageA(m_frame, kWmPeerSignal, 9, 0); // ignored
    EXPECT_TRUE(Collect(peer, 1000, 1).empty());
}

TEST_F(AgentMessages, DeskButtonFiveLogsOffAfterClosingTheDesk)
{
    m_install.SetIni("DESKTOPTYPE", "type", "1");
    Start();
    ASSERT_TRUE(m_install.Traced("KqStartKqDesk"));
    ::PostMessageA(m_frame, kWmDeskButton, 1, 5);
    ASSERT_TRUE(m_install.WaitForExit());
    const std::string trace = m_install.Trace();
    const size_t desk = trace.find("KqCloseKqDesk");
    const size_t close = trace.find("LecternClose called");
    const size_t power = trace.find("Power EndSession flags=0x0"); // EWX_LOGOFF
    ASSERT_NE(desk, std::string::npos) << trace;
    ASSERT_NE(power, std::string::npos) << trace;
    EXPECT_LT(desk, power);
    EXPECT_LT(close, power) << "log-off after the clean-up";
    EXPECT_EQ(m_install.TraceCount("KqCloseKqDesk"), 1);
}

TEST_F(AgentMessages, DeskButtonSixPowersOffAfterPostingTheClose)
{
    Start();
    ::PostMessageA(m_frame, kWmDeskButton, 1, 6);
    ASSERT_TRUE(m_install.WaitForExit());
    const std::string expected = "Power EndSession flags=0x" + [] {
        char text[16];
        wsprintfA(text, "%x", EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF);
        return std::string(text);
    }();
    EXPECT_TRUE(m_install.Traced(expected)) << m_install.Trace();
}

// Closing while a frame handler's dialog is open: the version dialog
// (toolbar command) or the seat dialog of the frame's reconnect message,
// closed by a fatal transport error or by the exit hot key.
TEST(AgentNestedClose, EndsOnceWithoutACrash)
{
    enum class Dialog { Version, Seat };
    enum class Road { TransportError, ExitHotKey };
    const struct {
        Dialog dialog;
        Road road;
    } cases[] = {{Dialog::Version, Road::TransportError},
                 {Dialog::Version, Road::ExitHotKey},
                 {Dialog::Seat, Road::TransportError},
                 {Dialog::Seat, Road::ExitHotKey}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dialog == Dialog::Version ? "version dialog, " : "seat dialog, ") +
                     (c.road == Road::TransportError ? "transport error" : "exit hot key"));
        StudentAgentInstall install(c.dialog == Dialog::Seat ? "NULL" : "A7");
        ASSERT_TRUE(install.Start());
        const HWND frame = install.Frame();
        ASSERT_NE(frame, nullptr);
        if (c.dialog == Dialog::Version) {
            ASSERT_TRUE(install.WaitForTrace("LecternOpen record"));
            ::PostMessageA(frame, WM_COMMAND, kVersionCommand, 0);
            // The version dialog shows with the toolbar disabled.
            ASSERT_TRUE(kqtest::WaitFor([&] {
                const HWND bar = install.ToolBar(0);
                return bar != nullptr && !::IsWindowEnabled(bar);
            }));
        } else {
            ASSERT_NE(install.Window("KqInputNumberDlg"), nullptr);
        }

        if (c.road == Road::TransportError) {
            ::PostMessageA(frame, kWmLecternError, 2, ERROR_FILE_NOT_FOUND);
            const HWND box = install.MessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(StudentAgentInstall::MessageText(box), kq::SystemErrorText(ERROR_FILE_NOT_FOUND));
            ::PostMessageA(box, WM_CLOSE, 0, 0);
        } else {
            ::PostMessageA(frame, WM_HOTKEY, ::GlobalFindAtomA("KqStudent"), 0);
        }
        ASSERT_TRUE(install.WaitForExit());
        EXPECT_EQ(install.TraceCount("S_UnInitStudent"), 1) << "the clean-up ran once";
        EXPECT_EQ(install.TraceCount("LecternClose called"), 1);
        DWORD exitCode = 1;
        EXPECT_TRUE(install.ExitCode(exitCode));
        EXPECT_EQ(exitCode, 0u) << "ended normally, not by a fault";
    }
}

} // namespace
