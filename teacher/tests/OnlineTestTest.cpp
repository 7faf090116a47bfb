// Teacher.exe's online test commands, driven from outside with the
// recording transport and the scripted online test library: what each
// command sends or shows, the library's notices, the countdown on timer 1
// and the finish of a test.

#include "teacher/tests/TeachingSession.h"

#include "common/TestStartRecord.h"
#include "standins/common/tests/StandinTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

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
    TeachingSession session;
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

} // namespace
