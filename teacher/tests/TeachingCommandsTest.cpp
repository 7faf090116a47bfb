// Teacher.exe's teaching commands, transport events and remote shutdown,
// driven from outside and read back from the blocks that reached the
// recording transport, the stand-ins' traces and the boxes that came up.

#include "teacher/tests/TeachingSession.h"

#include "common/LecternMessages.h"
#include "common/VideoStartRecord.h"
#include "standins/common/tests/StandinTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::SendLine;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr int kWholeClass = 0;

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Expected outcome of one command: the start of the one block sent, or the
// string of the box shown (and nothing sent).
struct Outcome {
    std::string send; // empty: nothing sent
    UINT box = 0;
};

Outcome Sent(int code, int count, int param, const char* seats) { return {SendLine(code, count, param, seats), 0}; }
Outcome Box(UINT id) { return {"", id}; }

void ExpectOutcome(TeachingSession& session, const Outcome& expected)
{
    const std::string box = session.TakeBox("Warning", expected.box != 0 ? 3000 : 300);
    const std::vector<std::string> sends = session.NewSends();
    if (expected.box != 0) {
        EXPECT_NE(box.find(session.String(expected.box)), std::string::npos) << box;
        EXPECT_TRUE(sends.empty()) << Joined(sends);
        return;
    }
    EXPECT_TRUE(box.empty()) << box;
    ASSERT_EQ(1u, sends.size()) << Joined(sends);
    EXPECT_TRUE(StartsWith(sends[0], expected.send)) << sends[0] << "\nexpected " << expected.send;
}

class TeachingCommands : public testing::Test {
protected:
    void BringOnline(TeachingSession& session)
    {
        for (int seat = 1; seat <= 3; ++seat)
            session.Online(seat);
        session.NewSends();
    }
};

TEST_F(TeachingCommands, CommandsBySelection)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);

    struct Row {
        UINT command;
        Outcome none, one, two, all;
    };
    const Row rows[] = {
        // Broadcast: Record (0) in args; every seat selected: count 0, seats filled.
        {501, Sent(1, 0, 0, ""), Sent(1, 1, 0, "2"), Sent(1, 2, 0, "1,2"), Sent(1, 0, 0, "1,2,3")},
        // Monitoring: the whole class becomes the list of on-line seats.
        {502, Sent(2, 3, 0, "1,2,3"), Sent(2, 1, 0, "2"), Sent(2, 2, 0, "1,2"), Sent(2, 3, 0, "1,2,3")},
        {506, Sent(3, 3, 4, "1,2,3"), Sent(3, 1, 4, "2"), Sent(3, 2, 4, "1,2"), Sent(3, 3, 4, "1,2,3")},
        // Single-seat commands.
        {503, Box(57352), Sent(6, 0, 2, ""), Box(57353), Box(57352)},
        {505, Box(57352), Sent(4, 1, 0, "2"), Box(57353), Box(57352)},
        {301, Box(57352), Sent(5, 0, 2, ""), Box(57353), Box(57352)},
        // Interaction needs two seats; the whole class is the on-line list.
        {302, Sent(47, 3, 0, "1,2,3"), Box(57552), Sent(47, 2, 0, "1,2"), Sent(47, 3, 0, "1,2,3")},
        // Roll call toggles and always addresses every on-line seat.
        {305, Sent(13, 3, 0, "1,2,3"), Sent(0, 3, 0, "1,2,3"), Sent(13, 3, 0, "1,2,3"), Sent(0, 3, 0, "1,2,3")},
        // Seat information toggles and goes to the whole class.
        {316, Sent(29, 0, 0, ""), Sent(46, 0, 0, ""), Sent(29, 0, 0, ""), Sent(46, 0, 0, "")},
        // Refresh: the whole class, whatever is selected.
        {318, Sent(12, 0, 0, ""), Sent(12, 0, 0, ""), Sent(12, 0, 0, ""), Sent(12, 0, 0, "")},
        // Hand-up switch (Handup=1 in the shipped settings): forbid, allow, ...
        {790, Sent(39, 0, 0, ""), Sent(39, 0, 1, ""), Sent(39, 0, 0, ""), Sent(39, 0, 1, "")},
    };
    const Selection selections[] = {Selection::None, Selection::One, Selection::Two, Selection::All};
    for (const Row& row : rows) {
        const Outcome* outcomes[] = {&row.none, &row.one, &row.two, &row.all};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE("command " + std::to_string(row.command) + ", selection " + std::to_string(i));
            session.Select(selections[i]);
            session.NewSends();
            session.Command(row.command);
            ExpectOutcome(session, *outcomes[i]);
        }
    }
}

TEST_F(TeachingCommands, NobodyOnLineShowsTheWarningAndSendsNothing)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    for (UINT command : {501u, 502u, 503u, 505u, 506u, 301u, 302u, 305u, 308u, 314u, 316u, 511u, 512u}) {
        SCOPED_TRACE(command);
        session.Command(command);
        ExpectOutcome(session, Box(TeacherRes::IDS_NO_SEAT_ONLINE));
    }
}

TEST_F(TeachingCommands, PagesSuspendAndRestoreHandUp)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Command(522); // the test page: hand-up suspended
    ExpectOutcome(session, Sent(39, kWholeClass, 0, ""));
    session.Command(522); // already there: nothing
    EXPECT_TRUE(session.NewSends().empty());
    session.Command(521);
    ExpectOutcome(session, Sent(39, kWholeClass, 1, ""));

    // Forbidden before the switch: neither way sends anything.
    session.Command(790);
    ExpectOutcome(session, Sent(39, kWholeClass, 0, ""));
    session.Command(522);
    session.Command(521);
    EXPECT_TRUE(session.NewSends().empty());
}

TEST_F(TeachingCommands, RunningCommandsShowThroughTheEnabling)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    const auto enabled = [&](UINT panel, UINT id) {
        return ::IsWindowEnabled(::GetDlgItem(::GetDlgItem(session.Main(), panel), id)) != FALSE;
    };
    constexpr UINT kPanelA = 1002;
    constexpr UINT kFunctions = 1000;
    ASSERT_TRUE(enabled(kPanelA, 501));

    session.Command(305); // roll call runs: only its own switch stays usable
    session.NewSends();
    EXPECT_FALSE(enabled(kPanelA, 501));
    EXPECT_TRUE(enabled(kFunctions, 305));
    session.Command(305);
    session.NewSends();
    EXPECT_TRUE(enabled(kPanelA, 501));

    session.Command(302); // interaction: the classroom is busy
    session.NewSends();
    EXPECT_FALSE(enabled(kPanelA, 501));
}

TEST_F(TeachingCommands, QuitStudentsAsksThenTakesTheTargetsOffLine)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Select(Selection::One);
    session.Command(314);
    HWND question = session.Install().FindWindowOf("KqYesNoDlg");
    ASSERT_NE(nullptr, question);
    ::PostMessageA(question, WM_CLOSE, 0, 0); // No
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(question); }));
    EXPECT_TRUE(session.NewSends().empty());

    session.Command(314);
    question = session.Install().FindWindowOf("KqYesNoDlg");
    ASSERT_NE(nullptr, question);
    ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(706, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(question); }));
    ExpectOutcome(session, Sent(40, 1, 0, "2"));
    EXPECT_EQ("1,3", session.OnlineSeats());
}

TEST_F(TeachingCommands, BlankScreenOffAfterAHandIn)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Event(kq::kEventHandIn, 1); // seat 1 hands in: the collection runs
    session.Select(Selection::Two);
    session.Command(304);
    ExpectOutcome(session, Sent(41, 2, 0, "1,2"));
}

TEST_F(TeachingCommands, SeatTextsAreReadNoFurtherThanTheirField)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    HWND seat = ::GetDlgItem(::GetDlgItem(session.Main(), 1234), 202);
    ASSERT_NE(nullptr, seat);
    session.Command(316); // on: the double answers with its two texts
    session.Settle();
    std::string caption;
    ASSERT_TRUE(WaitFor([&] {
        char text[1024] = {};
        ::GetWindowTextA(seat, text, sizeof text);
        caption = text;
        return caption != "B1";
    }, 3000));
    EXPECT_EQ(0u, caption.find("B1:QQQQ")) << caption;
    EXPECT_EQ(std::string::npos, caption.find("OVERRUN")) << caption;
    EXPECT_LE(caption.size(), 3u + 252u);
    EXPECT_TRUE(::IsWindow(session.Main()));
}

// ---- Floating toolbar ----

HWND ToolBar() { return ::FindWindowA(nullptr, "KqToolBar"); }

TEST_F(TeachingCommands, BroadcastBringsUpOneFloatingToolBar)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Command(501);
    session.NewSends();
    ASSERT_TRUE(WaitFor([] { return ToolBar() != nullptr; }, 3000));
    HWND bar = ToolBar();
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(session.Main()); }, 3000)) << "the main window is in the tray";

    RECT rect = {};
    ::GetWindowRect(bar, &rect);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) - 232, rect.left);
    EXPECT_EQ(5, rect.top);
    EXPECT_EQ(227, rect.right - rect.left);
    EXPECT_EQ(33, rect.bottom - rect.top);
    EXPECT_NE(0, ::GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(0, ::GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(nullptr, ::GetWindow(bar, GW_OWNER));

    const struct {
        int id, x;
        bool enabled;
    } buttons[] = {{870, 5, false}, {839, 42, true}, {838, 79, true}, {875, 116, true}, {842, 153, true}, {837, 190, true}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.id);
        HWND button = ::GetDlgItem(bar, b.id);
        ASSERT_NE(nullptr, button);
        const RECT r = kqtest::ChildRect(bar, b.id);
        EXPECT_EQ(b.x, r.left);
        EXPECT_EQ(7, r.top);
        EXPECT_EQ(32, r.right - r.left);
        EXPECT_EQ(22, r.bottom - r.top);
        EXPECT_EQ(b.enabled, ::IsWindowEnabled(button) != FALSE);
    }

    // Dragged by its background.
    POINT background = {rect.left + 2, rect.top + 2};
    EXPECT_EQ(HTCAPTION, ::SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(background.x, background.y)));

    // Alt+F4 leaves it; a second broadcast replaces it.
    ::SendMessageA(bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(::IsWindow(bar));
    session.Command(501);
    session.NewSends();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(bar) && ToolBar() != nullptr; }, 3000));
    bar = ToolBar();

    // The record switch: two presses hand over Record 1, then 0 again.
    ::PostMessageA(::GetDlgItem(bar, 838), BM_CLICK, 0, 0);
    ::PostMessageA(::GetDlgItem(bar, 838), BM_CLICK, 0, 0);
    const auto recordedOnThenOff = [&] {
        const std::string trace = session.Install().Trace();
        const size_t on = trace.find("Lectern options compress=1 delaySon=2 delayMon=2 record=1 screenChange=0");
        return on != std::string::npos &&
               trace.find("Lectern options compress=1 delaySon=2 delayMon=2 record=0 screenChange=0", on) !=
                   std::string::npos;
    };
    EXPECT_TRUE(WaitFor(recordedOnThenOff, 3000)) << session.Install().Trace();

    // Its stop button reaches the main window, which stops and closes it.
    ::PostMessageA(::GetDlgItem(bar, 837), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(bar); }, 3000));
    EXPECT_EQ(nullptr, ToolBar());
}

TEST_F(TeachingCommands, DisklessClassroomCannotRecord)
{
    TeachingSession session({{"Ver", "StuNoDisk", "1"}});
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Command(501);
    ASSERT_TRUE(WaitFor([] { return ToolBar() != nullptr; }, 3000));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(ToolBar(), 838)));
    // Event 11 stops everything, toolbar included.
    session.Event(kq::kEventStopAll, 0);
    EXPECT_TRUE(WaitFor([] { return ToolBar() == nullptr; }, 3000));
}

// ---- Video broadcast ----

TEST_F(TeachingCommands, VideoBroadcastStartsSuspendsHandUpAndEnds)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Command(504);
    EXPECT_TRUE(WaitFor([&] { return session.Install().Traced("KqVideoS KqVideoSControl mode=1 window="); }, 3000))
        << session.Install().Trace();
    EXPECT_TRUE(session.Install().Traced("videoPort=2042 smallScreen=0 x=548 y=126")) << session.Install().Trace();
    ExpectOutcome(session, Sent(39, kWholeClass, 0, ""));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(session.Main(), 790)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(session.Main(), 521)));

    // A channel started: the channel and the video port twice.
    session.Post(kq::kWmVideoNotify, kq::kVideoChannelStarted, 5);
    ExpectOutcome(session, {SendLine(16, 3, 0, "1,2,3") + " args=05fa07fa07", 0});

    // The end: stop code 17 to the class, then hand-up allowed again.
    session.Post(kq::kWmVideoNotify, kq::kVideoEnded, 0);
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(2u, sends.size()) << Joined(sends);
    EXPECT_TRUE(StartsWith(sends[0], SendLine(17, 0, 0, "")));
    EXPECT_TRUE(StartsWith(sends[1], SendLine(39, 0, 1, "")));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(session.Main(), 790)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(session.Main(), 521)));
}

TEST_F(TeachingCommands, FailingVideoStartWarnsAndChangesNothing)
{
    TeachingSession session({}, {}, true);
    ASSERT_TRUE(session.Started());
    BringOnline(session);
    session.Command(300);
    ExpectOutcome(session, Box(TeacherRes::IDS_VIDEO_START_FAILED));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(session.Main(), 790)));
    session.Command(790); // hand-up was not suspended: this forbids it
    ExpectOutcome(session, Sent(39, kWholeClass, 0, ""));
}

// ---- Homework ----

TEST_F(TeachingCommands, HomeworkStartsTheFileServerAndSendsItsPort)
{
    struct Case {
        const char* recvPath;
        bool served;
    };
    const Case cases[] = {{"C:\\Homework", true}, {"C:\\Homework\\", true}, {"", false}, {"relative", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recvPath);
        // Homework off for the folders the start itself would warn about.
        TeachingSession session({{"Other", "RecvPath", c.recvPath}, {"Other", "Homework", c.served ? "1" : "0"}});
        ASSERT_TRUE(session.Started());
        BringOnline(session);
        session.Command(308);
        const std::string box = session.TakeBox();
        const std::vector<std::string> sends = session.NewSends();
        if (!c.served) {
            EXPECT_NE(box.find(session.String(TeacherRes::IDS_HOMEWORK_SERVER_FAILED)), std::string::npos) << box;
            EXPECT_TRUE(sends.empty()) << Joined(sends);
            continue;
        }
        EXPECT_NE(box.find("C:\\Homework\\"), std::string::npos) << box;
        EXPECT_EQ(box.find("C:\\Homework\\\\"), std::string::npos) << box;
        ASSERT_EQ(1u, sends.size());
        EXPECT_TRUE(StartsWith(sends[0], SendLine(20, 0, 0, "") + " args=")) << sends[0];
        EXPECT_GT(sends[0].size(), SendLine(20, 0, 0, "").size() + 6) << "a port";

        // Already running: the stored port again.
        session.Command(308);
        session.TakeBox();
        const std::vector<std::string> again = session.NewSends();
        ASSERT_EQ(1u, again.size());
        EXPECT_EQ(sends[0], again[0]);
    }
}

// ---- Events ----

TEST_F(TeachingCommands, TransportEvents)
{
    TeachingSession session({}, {"KQ_RECORDER_REOPEN_FAILS=1"});
    ASSERT_TRUE(session.Started());
    BringOnline(session);

    session.Event(kq::kEventSeatOffline, 2);
    EXPECT_EQ("1,3", session.OnlineSeats());
    session.Event(kq::kEventSeatOnline, 2);
    session.Event(kq::kEventHandUp, 3);
    EXPECT_EQ("1,2,3", session.OnlineSeats());

    // The version warning once per run.
    session.Event(kq::kEventNewerStudent, 812);
    EXPECT_NE(session.TakeBox().find("812"), std::string::npos);
    session.Event(kq::kEventNewerStudent, 812);
    EXPECT_TRUE(session.TakeBox("Warning", 500).empty());

    session.Event(kq::kEventWarning, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_STUDENT_ERROR)), std::string::npos);

    // The update push serves the Update folder beside Teacher.exe on the given port.
    session.Event(kq::kEventUpdatePush, 4321);
    const std::string updateFolder = "folder=" + session.Install().Folder() + "\\Update\\ window=";
    EXPECT_TRUE(WaitFor([&] { return session.Install().Traced(updateFolder); }, 3000)) << session.Install().Trace();
    EXPECT_TRUE(session.Install().Traced("port=4321")) << session.Install().Trace();
    session.TakeBox("Warning", 500);

    // Diskless: the transport closes and reopens; this reopening fails.
    session.Event(kq::kEventDiskless, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_TRANSPORT_OPEN_FAILED)), std::string::npos);
    const std::string trace = session.Install().Trace();
    const size_t close = trace.find("Lectern LecternClose");
    ASSERT_NE(std::string::npos, close) << trace;
    EXPECT_NE(std::string::npos, trace.find("Lectern LecternOpen refused on reopening", close)) << trace;
    EXPECT_TRUE(::IsWindow(session.Main())) << "the program stays open";
    // Already diskless: no second reopening.
    session.Event(kq::kEventDiskless, 0);
    EXPECT_TRUE(session.TakeBox("Warning", 500).empty());

    // Stop everything: code 0 to the whole class.
    for (int event : {kq::kEventStopAll, kq::kEventActivityEnded, kq::kEventActivityEnded2}) {
        SCOPED_TRACE(event);
        session.Event(event, 0);
        ExpectOutcome(session, Sent(0, kWholeClass, 0, ""));
    }
    // Nothing visible for a request; the sound flag is kept (and saved).
    session.Event(kq::kEventRequest, 1);
    session.Event(kq::kEventSoundFlag, 0x100);
    EXPECT_TRUE(session.NewSends().empty());

    // A report without a system text shows nothing; a fatal one closes.
    constexpr LPARAM kNoSuchError = 0x20001234;
    ::PostMessageA(session.Main(), WM_LECTERN_ERROR, kq::kLecternErrorReport, kNoSuchError);
    EXPECT_TRUE(session.TakeBox("Warning", 500).empty());
    ::PostMessageA(session.Main(), WM_LECTERN_ERROR, kq::kLecternErrorFatal, kNoSuchError);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_TRANSPORT_FATAL)), std::string::npos);
    EXPECT_TRUE(session.Install().WaitForExit());
    EXPECT_EQ("0", session.Install().IniValue("Setup", "SoundOpenFlag")) << "the low byte of 0x100";
}

// ---- Remote shutdown and restart ----

HWND DelayDialog(TeachingSession& session)
{
    return kq::standin::WaitForProcessWindow(
        session.Install().ProcessId(),
        [](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, 805) != nullptr; }, 5000);
}

void SetDelay(HWND dialog, const char* seconds) { ::SendMessageA(::GetDlgItem(dialog, 805), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(seconds)); }
void PressOk(HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(706, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, 706))); }

TEST_F(TeachingCommands, ShutdownAndRestart)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    BringOnline(session);

    // Cancel sends nothing.
    session.Command(511);
    HWND dialog = DelayDialog(session);
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(session.NewSends().empty());

    // 256 and a number too big for an int are refused, 255 accepted.
    session.Select(Selection::One);
    session.Command(511);
    dialog = DelayDialog(session);
    ASSERT_NE(nullptr, dialog);
    for (const char* tooLong : {"256", "99999999999"}) {
        SetDelay(dialog, tooLong);
        PressOk(dialog);
        EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_DELAY_TOO_LONG)), std::string::npos);
        EXPECT_TRUE(::IsWindow(dialog));
    }
    SetDelay(dialog, "255");
    PressOk(dialog);
    ExpectOutcome(session, Sent(24, 1, 255, "2"));

    // Two delayed commands keep their own seats and times, whatever the
    // selection does meanwhile. A seat goes off line a second before its PC
    // ends: seat 3 (delay 6) five seconds after its command, seat 1 (delay 2,
    // sent later) one second after its own, and so first.
    const auto delayedShutdown = [&](int seat, int delay) {
        session.SelectSeat(seat);
        const DWORD before = ::GetTickCount();
        session.Command(511);
        HWND delayDialog = DelayDialog(session);
        EXPECT_NE(nullptr, delayDialog);
        SetDelay(delayDialog, std::to_string(delay).c_str());
        PressOk(delayDialog);
        ExpectOutcome(session, Sent(24, 1, delay, std::to_string(seat).c_str()));
        return before;
    };
    const DWORD beforeFirst = delayedShutdown(3, 6);
    const DWORD beforeSecond = delayedShutdown(1, 2);
    session.Select(Selection::All);
    EXPECT_EQ("1,2,3", session.OnlineSeats()) << "not yet";

    ASSERT_TRUE(WaitFor([&] { return session.OnlineSeats() != "1,2,3"; }, 5000));
    EXPECT_GE(::GetTickCount() - beforeSecond, 800u) << "the second command's time";
    EXPECT_EQ("2,3", session.OnlineSeats()) << "only the second command's seat";
    ASSERT_TRUE(WaitFor([&] { return session.OnlineSeats() != "2,3"; }, 6000));
    EXPECT_GE(::GetTickCount() - beforeFirst, 4500u) << "the first command's own time";
    EXPECT_EQ("2", session.OnlineSeats()) << "only the first command's seat; seat 2's delay of 255 s runs on";

    // No delay: the whole class goes off line at once.
    session.Select(Selection::None);
    session.Command(511);
    dialog = DelayDialog(session);
    ASSERT_NE(nullptr, dialog);
    ::SendMessageA(::GetDlgItem(dialog, 720), BM_SETCHECK, BST_UNCHECKED, 0);
    PressOk(dialog);
    ExpectOutcome(session, Sent(24, 0, 0, ""));
    EXPECT_EQ("", session.OnlineSeats());

    // Restart, the dialog untouched: 20 seconds, code 23.
    BringOnline(session);
    session.Command(512);
    dialog = DelayDialog(session);
    ASSERT_NE(nullptr, dialog);
    PressOk(dialog);
    ExpectOutcome(session, Sent(23, 0, 20, ""));
}

} // namespace
