// Teacher.exe's online test commands, driven from outside with the
// recording transport and the scripted online test library: what each
// command sends or shows, the library's notices, the countdown on timer 1
// and the finish of a test.

#include "teacher/tests/TeachingSession.h"

#include "teacher/ExerciseFile.h"
#include "teacher/tests/RemoteListView.h"

#include "common/TestStartRecord.h"
#include "standins/common/tests/StandinTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::SendLine;
using kqtest::TeachingSession;

constexpr UINT kTestTimeUp = 0x43A;
constexpr UINT_PTR kTestTimer = 1;
constexpr char kHelpSentence[] = "详细资料及解决办法见“常见问题”中的";

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// Seats 1 to 3 on line; `inTest` of them reported in the test by the library.
void Classroom(TeachingSession& session, const std::vector<int>& inTest)
{
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    for (int seat : inTest)
        session.Post(kq::kWmTestNotify, kq::kTestSeatEntered, seat);
    session.NewSends();
}

void ExpectOneSend(TeachingSession& session, const std::string& start)
{
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(sends.size(), 1u) << Joined(sends);
    EXPECT_TRUE(StartsWith(sends[0], start)) << sends[0] << "\nexpected " << start;
}

TEST(OnlineTest, NobodyOnLineShowsTheWarningAndSendsNothing)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    for (UINT command : {602u, 606u, 608u, 609u, 611u, 612u}) {
        SCOPED_TRACE(command);
        session.Command(command);
        EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_NO_SEAT_ONLINE)), std::string::npos);
        EXPECT_TRUE(session.NewSends().empty());
    }
}

TEST(OnlineTest, CreatingAPaperReportsTheLibrarysFailures)
{
    TeachingSession session({}, {"KQ_QUIZHALL_T_CreatePaper=-1,-3,-4,0"});
    ASSERT_TRUE(session.Started());
    const struct {
        UINT message;
        bool helpSentence;
    } results[] = {
        {TeacherRes::IDS_CREATE_PAPER_FAILED, false},
        {TeacherRes::IDS_PAPER_EDITOR_MISSING, true},
        {TeacherRes::IDS_PAPER_EDITOR_FAILED, false},
    };
    for (const auto& result : results) {
        SCOPED_TRACE(result.message);
        session.Command(601);
        const std::string box = session.TakeBox();
        EXPECT_NE(box.find(session.String(result.message)), std::string::npos) << box;
        EXPECT_EQ(box.find(std::string(kHelpSentence) + "24，") != std::string::npos, result.helpSentence) << box;
    }
    session.Command(601); // 0: the library's editor has it, nothing to say
    EXPECT_TRUE(session.TakeBox("Warning", 300).empty());
}

TEST(OnlineTest, SeatsInTheTestAreFinishedWhenTheTimeIsUp)
{
    // The library's collection is left to the notices the test posts.
    TeachingSession session({}, {"KQ_QUIZHALL_T_FinishTest=0,0"});
    ASSERT_TRUE(session.Started());
    Classroom(session, {1, 3});
    // A notice about a seat the map does not hold changes nothing.
    session.Post(kq::kWmTestNotify, kq::kTestSeatEntered, 42);

    // Nothing more is left: the first tick ends the test.
    session.Post(WM_TIMER, kTestTimer, 0);
    ExpectOneSend(session, SendLine(102, 2, 0, "1,3"));
    // The wait box stays until the library reports the papers in; two
    // seats missing are named after the prefix.
    session.Post(kq::kWmTestNotify, kq::kTestCollectedWithMissing, 0);
    const std::string missing = session.TakeBox();
    EXPECT_EQ(missing.find("有个别学生(A1、C1)没有收到试卷"), 0u) << missing;

    // Nobody in the test any more: the next time-up only says so.
    session.Post(kTestTimeUp, 0, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_NO_SEAT_IN_TEST)), std::string::npos);
    EXPECT_TRUE(session.NewSends().empty());
}

TEST(OnlineTest, AnUnansweredAbortKeepsTheTestAndCollectionEnablesTheAnswers)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    Classroom(session, {2});
    // Closing the abort question is "no": nothing is sent.
    session.Select(Selection::None);
    session.Command(609);
    EXPECT_FALSE(session.TakeBox("KqYesNoDlg").empty());
    EXPECT_TRUE(session.NewSends().empty());

    session.Post(kq::kWmTestNotify, kq::kTestSeatEntered, 1);
    session.Post(WM_TIMER, kTestTimer, 0);
    ExpectOneSend(session, SendLine(102, 2, 0, "1,2"));
    session.Post(kq::kWmTestNotify, kq::kTestCollected, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_PAPERS_COLLECTED)), std::string::npos);
    // Collected: 612 shows the answers to the selection.
    session.Select(Selection::One);
    session.Command(612);
    ExpectOneSend(session, SendLine(104, 1, 0, "2"));
}

// Controls that tell the dialogs apart, and their buttons.
constexpr UINT kPresetBox = 856;
constexpr UINT kConfirm = 706;
constexpr UINT kTimeShorten = 862;
constexpr UINT kTimeMinutes = 720;
constexpr UINT kStartButton = 809;

std::string Args(const std::string& line)
{
    const size_t at = line.find("args=");
    return at == std::string::npos ? std::string() : line.substr(at + 5);
}

TEST(OnlineTest, TheTimeIsChangedBothWaysAndCountedDownByTheMinute)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    Classroom(session, {1, 2});
    const struct {
        const char* typed;
        bool shorten;
        const char* args; // the signed change, little-endian
    } changes[] = {{"2", false, "02"}, {"1", true, "ffffffff"}, {"1", false, "01"}};
    for (const auto& change : changes) {
        SCOPED_TRACE(change.typed);
        session.Command(608);
        const HWND dialog = session.DialogWith(kTimeMinutes);
        ASSERT_NE(dialog, nullptr);
        TeachingSession::SetText(dialog, kTimeMinutes, change.typed);
        if (change.shorten) // a click ticks the radio button
            ::SendMessageA(::GetDlgItem(dialog, kTimeShorten), BM_CLICK, 0, 0);
        session.Press(dialog, kConfirm);
        const std::vector<std::string> sends = session.NewSends();
        ASSERT_EQ(sends.size(), 1u) << Joined(sends);
        EXPECT_TRUE(StartsWith(sends[0], SendLine(103, 0, 0, ""))) << sends[0];
        EXPECT_EQ(Args(sends[0]), change.args);
    }
    // Two minutes left: the first tick leaves one, a notice between the
    // ticks restarts the minute, the second tick ends the test.
    session.Post(WM_TIMER, kTestTimer, 0);
    EXPECT_TRUE(session.NewSends().empty());
    session.Post(kq::kWmTestNotify, kq::kTestSeatEntered, 3);
    session.Post(WM_TIMER, kTestTimer, 0);
    ExpectOneSend(session, SendLine(102, 3, 0, "1,2,3"));
}

TEST(OnlineTest, SeatsUnderTheOverlayAreStillFinished)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    Classroom(session, {1});
    session.Select(Selection::None);
    session.Command(606);
    const HWND preset = session.DialogWith(kPresetBox);
    ASSERT_NE(preset, nullptr);
    TeachingSession::SetText(preset, kPresetBox, "请停笔");
    session.Press(preset, kConfirm);
    std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(sends.size(), 1u) << Joined(sends);
    EXPECT_TRUE(StartsWith(sends[0], SendLine(22, 3, 0, "1,2,3"))) << sends[0];

    // Time up with the overlay on: seat 1 is in the test all the same.
    session.Post(kTestTimeUp, 0, 0);
    ExpectOneSend(session, SendLine(102, 1, 0, "1"));
    session.Post(kq::kWmTestNotify, kq::kTestCollected, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_PAPERS_COLLECTED)), std::string::npos);

    // Off: every seat back, and no test is left to finish.
    session.Command(606);
    ExpectOneSend(session, SendLine(41, 3, 0, "1,2,3"));
    session.Post(kTestTimeUp, 0, 0);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_NO_SEAT_IN_TEST)), std::string::npos);
}

TEST(OnlineTest, AbortingEndsTheCountdownEvenWithNobodyInTheTest)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    Classroom(session, {2});
    // A selection holding a seat outside the test is refused.
    session.Select(Selection::Two);
    session.Command(609);
    HWND question = session.DialogWith(kConfirm);
    ASSERT_NE(question, nullptr);
    session.Press(question, kConfirm);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_ABORT_SEAT_NOT_IN_TEST)), std::string::npos);
    EXPECT_TRUE(session.NewSends().empty());

    // The one seat in the test aborted: the test is over.
    session.SelectSeat(2);
    session.Command(609);
    question = session.DialogWith(kConfirm);
    ASSERT_NE(question, nullptr);
    session.Press(question, kConfirm);
    ExpectOneSend(session, SendLine(101, 1, 0, "2"));
    session.Post(WM_TIMER, kTestTimer, 0);
    EXPECT_TRUE(session.NewSends().empty()) << "the countdown ended with the test";
    EXPECT_TRUE(session.TakeBox("Warning", 300).empty());

    // Nobody in the test and nothing selected: 101 to the class, and the
    // countdown a notice started ends too.
    session.Post(kq::kWmTestNotify, kq::kTestSeatEntered, 3);
    session.Post(kq::kWmTestNotify, kq::kTestSeatLeft, 3);
    session.Select(Selection::None);
    session.Command(609);
    question = session.DialogWith(kConfirm);
    ASSERT_NE(question, nullptr);
    session.Press(question, kConfirm);
    ExpectOneSend(session, SendLine(101, 0, 0, ""));
    session.Post(WM_TIMER, kTestTimer, 0);
    EXPECT_TRUE(session.TakeBox("Warning", 300).empty()) << "no time-up after the abort";
}

TEST(OnlineTest, AStartTheLibraryTookIsSentWithItsTestId)
{
    // The first start fails (57513, nothing sent), the second one is test 4660.
    TeachingSession session({}, {"KQ_QUIZHALL_T_StartTest=-1,4660"});
    ASSERT_TRUE(session.Started());
    Classroom(session, {});
    const std::string paper = session.Install().PathOf("paper\\期中.kqt");
    ::CreateDirectoryA(session.Install().PathOf("paper").c_str(), nullptr);
    std::ofstream(paper, std::ios::binary) << "1. 1 + 1 = ?";

    session.Select(Selection::None);
    session.Command(602);
    const HWND dialog = session.DialogWith(kStartButton);
    ASSERT_NE(dialog, nullptr);
    TeachingSession::SetText(dialog, 802, paper);
    TeachingSession::SetText(dialog, 803, "C:\\answers\\math");
    TeachingSession::SetText(dialog, 804, "期中考试");
    TeachingSession::SetText(dialog, 806, "数学");
    session.Press(dialog, kStartButton);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_TEST_START_FAILED)), std::string::npos);
    EXPECT_TRUE(session.NewSends().empty());
    ASSERT_TRUE(::IsWindow(dialog));
    session.Press(dialog, kStartButton);
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(sends.size(), 1u) << Joined(sends);
    // Nothing selected: every seat on line; the test id at 5.
    EXPECT_TRUE(StartsWith(sends[0], SendLine(100, 3, 0, "1,2,3"))) << sends[0];
    EXPECT_EQ(Args(sends[0]), "3412");
}

TEST(OnlineTest, AChosenExerciseIsSentWithItsProgramAt5)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    std::ofstream(session.Install().PathOf(kq::kExerciseFileName), std::ios::binary)
        << kq::SerializeExercises({{"画图", "C:\\bin\\paint.exe"}, {"计算器", "C:\\bin\\calc.exe"}});
    constexpr UINT kList = 717;
    constexpr UINT kChoose = 704;

    // Nobody on line: the choice is made, then refused.
    session.Command(306);
    HWND list = session.DialogWith(kList);
    ASSERT_NE(list, nullptr);
    {
        kqtest::RemoteListView rows(::GetDlgItem(list, kList));
        ASSERT_TRUE(rows.Usable());
        EXPECT_EQ(rows.Count(), 2);
        rows.Select(1);
    }
    session.Press(list, kChoose);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_NO_SEAT_ONLINE)), std::string::npos);
    EXPECT_TRUE(session.NewSends().empty());

    // On line with nothing selected: the whole class gets it.
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.NewSends();
    session.Select(Selection::None);
    session.Command(306);
    list = session.DialogWith(kList);
    ASSERT_NE(list, nullptr);
    {
        kqtest::RemoteListView rows(::GetDlgItem(list, kList));
        rows.Select(1);
    }
    session.Press(list, kChoose);
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(sends.size(), 1u) << Joined(sends);
    EXPECT_TRUE(StartsWith(sends[0], SendLine(11, 0, 0, ""))) << sends[0];
    std::string hex;
    for (unsigned char c : std::string("C:\\bin\\calc.exe")) {
        static const char kDigits[] = "0123456789abcdef";
        hex += kDigits[c >> 4];
        hex += kDigits[c & 0xF];
    }
    EXPECT_EQ(Args(sends[0]), hex);
}

} // namespace
