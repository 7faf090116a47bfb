#include "standins/lectern/TeacherLink.h"

#include <gtest/gtest.h>

namespace kq::lectern {
namespace {

constexpr uint32_t kTeacher = 0x0A01A8C0;
constexpr uint32_t kTeacherSession = 0x7001;
constexpr uint32_t kMe = 0x5001;
const Timing kTiming; // the defaults

LogonReplyBody Reply(uint32_t attempt, int32_t result)
{
    LogonReplyBody reply;
    reply.studentSession = kMe;
    reply.attempt = attempt;
    reply.result = result;
    return reply;
}

// A link logged on as seat 4 at t=0.
TeacherLink LoggedOn()
{
    TeacherLink link;
    link.OnTeacherHeard(kTeacher, kTeacherSession, 0);
    link.Tick(0, kTiming);
    EXPECT_TRUE(link.OnLogonReply(kTeacherSession, kMe, Reply(link.attempt(), 4), 0));
    return link;
}

TEST(TeacherLink, LogsOnAtOnceAndRepeatsUntilAnswered)
{
    TeacherLink link;
    EXPECT_FALSE(link.Tick(0, kTiming).sendLogon); // no teacher yet
    EXPECT_TRUE(link.OnTeacherHeard(kTeacher, kTeacherSession, 100));
    EXPECT_TRUE(link.Tick(100, kTiming).sendLogon);
    EXPECT_FALSE(link.Tick(200, kTiming).sendLogon);
    link.OnTeacherHeard(kTeacher, kTeacherSession, 1000);
    EXPECT_TRUE(link.Tick(100 + kTiming.logonRetryMs, kTiming).sendLogon);
    // Answers to other students, other attempts or other teachers change nothing.
    LogonReplyBody other = Reply(link.attempt(), 3);
    other.studentSession = kMe + 1;
    EXPECT_FALSE(link.OnLogonReply(kTeacherSession, kMe, other, 1200));
    EXPECT_FALSE(link.OnLogonReply(kTeacherSession, kMe, Reply(link.attempt() + 1, 3), 1200));
    EXPECT_FALSE(link.OnLogonReply(kTeacherSession + 1, kMe, Reply(link.attempt(), 3), 1200));
    EXPECT_EQ(link.state(), TeacherLink::State::LoggingOn);
    EXPECT_TRUE(link.OnLogonReply(kTeacherSession, kMe, Reply(link.attempt(), 3), 1200));
    EXPECT_EQ(link.state(), TeacherLink::State::LoggedOn);
    EXPECT_EQ(link.seat(), 3);
    EXPECT_FALSE(link.OnLogonReply(kTeacherSession, kMe, Reply(link.attempt(), 3), 1210)); // a repeat
}

TEST(TeacherLink, ARefusedSeatWaitsUntilAskedToLogOnAgain)
{
    TeacherLink link;
    link.OnTeacherHeard(kTeacher, kTeacherSession, 0);
    link.Tick(0, kTiming);
    EXPECT_TRUE(link.OnLogonReply(kTeacherSession, kMe, Reply(link.attempt(), -10), 10));
    EXPECT_EQ(link.state(), TeacherLink::State::Refused);
    link.OnTeacherHeard(kTeacher, kTeacherSession, 3000);
    EXPECT_FALSE(link.Tick(3000, kTiming).sendLogon);
    const uint32_t before = link.attempt();
    link.RequestRelogon();
    EXPECT_EQ(link.attempt(), before + 1);
    EXPECT_TRUE(link.Tick(3001, kTiming).sendLogon);
}

TEST(TeacherLink, HeartbeatsWhileLoggedOnAndNoticesASilentTeacherOnce)
{
    TeacherLink link = LoggedOn();
    EXPECT_FALSE(link.Tick(kTiming.heartbeatMs - 1, kTiming).sendHeartbeat);
    EXPECT_TRUE(link.Tick(kTiming.heartbeatMs, kTiming).sendHeartbeat);
    const TeacherLink::Due lost = link.Tick(kTiming.teacherLostMs + 1, kTiming);
    EXPECT_TRUE(lost.teacherLost);
    EXPECT_EQ(link.state(), TeacherLink::State::Searching);
    EXPECT_EQ(link.seat(), 0);
    EXPECT_FALSE(link.Tick(kTiming.teacherLostMs + 2, kTiming).teacherLost);
    // The same teacher back: a new log-on.
    const uint32_t before = link.attempt();
    EXPECT_TRUE(link.OnTeacherHeard(kTeacher, kTeacherSession, 9000));
    EXPECT_EQ(link.attempt(), before + 1);
}

TEST(TeacherLink, FollowsOneTeacherUntilItSaysGoodbye)
{
    TeacherLink link = LoggedOn();
    EXPECT_FALSE(link.OnTeacherHeard(kTeacher + 1, kTeacherSession + 1, 10));
    EXPECT_FALSE(link.AcceptCommand(kTeacherSession + 1, 1));
    link.OnTeacherBye(kTeacherSession + 1, 10);
    EXPECT_EQ(link.state(), TeacherLink::State::LoggedOn);
    link.OnTeacherBye(kTeacherSession, 20);
    EXPECT_EQ(link.state(), TeacherLink::State::Searching);
    EXPECT_TRUE(link.OnTeacherHeard(kTeacher + 1, kTeacherSession + 1, 30));
    EXPECT_EQ(link.teacherAddress(), kTeacher + 1);
}

TEST(TeacherLink, AGoodbyeCountsAsLossOnlyWhenNoTeacherComesBackInTime)
{
    TeacherLink left = LoggedOn();
    left.OnTeacherBye(kTeacherSession, 100);
    EXPECT_FALSE(left.OnTeacherHeard(kTeacher, kTeacherSession, 110)); // a late copy of the departed
    EXPECT_FALSE(left.Tick(100 + kTiming.teacherLostMs, kTiming).teacherLost);
    EXPECT_TRUE(left.Tick(101 + kTiming.teacherLostMs, kTiming).teacherLost);
    EXPECT_FALSE(left.Tick(102 + kTiming.teacherLostMs, kTiming).teacherLost);

    TeacherLink restarted = LoggedOn(); // the teacher closes and opens again
    restarted.OnTeacherBye(kTeacherSession, 100);
    EXPECT_TRUE(restarted.OnTeacherHeard(kTeacher, kTeacherSession + 1, 300));
    EXPECT_FALSE(restarted.Tick(200 + kTiming.teacherLostMs, kTiming).teacherLost);
    EXPECT_EQ(restarted.state(), TeacherLink::State::LoggingOn);
}

TEST(TeacherLink, TakesEachCommandOnceAndOnlyForItsSeat)
{
    TeacherLink link = LoggedOn();
    EXPECT_TRUE(link.AcceptCommand(kTeacherSession, 5));
    EXPECT_FALSE(link.AcceptCommand(kTeacherSession, 5));

    CommandBody command;
    EXPECT_TRUE(link.IsTargeted(command)); // the whole class
    command.targetCount = 2;
    command.targets[0] = 1;
    command.targets[1] = 4;
    EXPECT_TRUE(link.IsTargeted(command));
    command.targets[1] = 5;
    EXPECT_FALSE(link.IsTargeted(command));

    TeacherLink searching;
    command.targetCount = 0;
    EXPECT_FALSE(searching.IsTargeted(command));
}

} // namespace
} // namespace kq::lectern
