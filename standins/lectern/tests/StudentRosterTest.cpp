#include "standins/lectern/StudentRoster.h"

#include <gtest/gtest.h>

namespace kq::lectern {
namespace {

constexpr uint32_t kSilentMs = 5000;
constexpr uint32_t kForgetMs = 60000;
const StudentKey kPcA = {0x0B01A8C0, 2302, 0xA1};
const StudentKey kPcB = {0x0C01A8C0, 2302, 0xB1};

LogonReplyBody Answer(int32_t result)
{
    LogonReplyBody reply;
    reply.result = result;
    reply.handUpAllowed = 1;
    return reply;
}

// A roster where kPcA logged on at t=0 and got `seat`.
StudentRoster WithSeat(int32_t seat)
{
    StudentRoster roster;
    LogonReplyBody unused;
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 0, &unused), StudentRoster::LogonVerdict::Ask);
    roster.CompleteLogon(kPcA, 1, Answer(seat), 0);
    return roster;
}

TEST(StudentRoster, ALogOnIsAskedOnceAndItsRepeatsGetTheSameAnswer)
{
    StudentRoster roster;
    LogonReplyBody reply;
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 0, &reply), StudentRoster::LogonVerdict::Ask);
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 100, &reply), StudentRoster::LogonVerdict::Pending);
    roster.CompleteLogon(kPcA, 1, Answer(4), 200);
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 300, &reply), StudentRoster::LogonVerdict::Repeat);
    EXPECT_EQ(reply.result, 4);
    EXPECT_EQ(reply.handUpAllowed, 1);
    EXPECT_EQ(roster.OnLogon(kPcA, 2, 400, &reply), StudentRoster::LogonVerdict::Ask); // a new log-on
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 500, &reply), StudentRoster::LogonVerdict::Ignore); // a stale one
}

TEST(StudentRoster, AnAnswerToASupersededAttemptIsNotKept)
{
    StudentRoster roster;
    LogonReplyBody reply;
    roster.OnLogon(kPcA, 1, 0, &reply);
    roster.OnLogon(kPcA, 2, 10, &reply);
    roster.CompleteLogon(kPcA, 1, Answer(4), 20);
    EXPECT_EQ(roster.OnLogon(kPcA, 2, 30, &reply), StudentRoster::LogonVerdict::Pending);
}

TEST(StudentRoster, ASilentSeatIsReportedOnceAndAgainOnlineWhenHeard)
{
    StudentRoster roster = WithSeat(2);
    int seat = 0;
    EXPECT_TRUE(roster.CollectSilent(kSilentMs, kSilentMs, kForgetMs).empty());
    EXPECT_EQ(roster.CollectSilent(kSilentMs + 1, kSilentMs, kForgetMs), std::vector<int>{2});
    EXPECT_TRUE(roster.CollectSilent(kSilentMs + 2000, kSilentMs, kForgetMs).empty());
    EXPECT_EQ(roster.OnHeartbeat(kPcA, 8000, &seat), StudentRoster::HeartbeatVerdict::Back);
    EXPECT_EQ(seat, 2);
    EXPECT_EQ(roster.OnHeartbeat(kPcA, 9000, &seat), StudentRoster::HeartbeatVerdict::Known);
    EXPECT_TRUE(roster.CollectSilent(9000 + kSilentMs, kSilentMs, kForgetMs).empty());
}

TEST(StudentRoster, GoodbyeReportsTheSeatOnceAndForgetsIt)
{
    StudentRoster roster = WithSeat(3);
    EXPECT_EQ(roster.OnBye(kPcA), 3);
    EXPECT_EQ(roster.OnBye(kPcA), 0);
    EXPECT_TRUE(roster.CollectSilent(kSilentMs * 2, kSilentMs, kForgetMs).empty());
    int seat = 0;
    EXPECT_EQ(roster.OnHeartbeat(kPcA, 100, &seat), StudentRoster::HeartbeatVerdict::Unknown);
}

TEST(StudentRoster, RefusedAndPendingStudentsAreNeverReportedNorHeard)
{
    StudentRoster roster = WithSeat(-10);
    LogonReplyBody reply;
    roster.OnLogon(kPcB, 1, 0, &reply); // still pending
    int seat = 0;
    EXPECT_FALSE(roster.AcceptRequest(kPcA, 1, 10, &seat));
    EXPECT_FALSE(roster.AcceptRequest(kPcB, 1, 10, &seat));
    EXPECT_TRUE(roster.CollectSilent(kSilentMs * 2, kSilentMs, kForgetMs).empty());
    EXPECT_EQ(roster.OnBye(kPcA), 0);
}

TEST(StudentRoster, EachRequestIsTakenOnce)
{
    StudentRoster roster = WithSeat(5);
    int seat = 0;
    EXPECT_TRUE(roster.AcceptRequest(kPcA, 40, 10, &seat));
    EXPECT_EQ(seat, 5);
    EXPECT_FALSE(roster.AcceptRequest(kPcA, 40, 20, &seat));
    EXPECT_TRUE(roster.AcceptRequest(kPcA, 41, 30, &seat));
    EXPECT_FALSE(roster.AcceptRequest(kPcB, 42, 30, &seat)); // not logged on
}

TEST(StudentRoster, APcThatOpensAgainReplacesItsEarlierOpen)
{
    StudentRoster roster = WithSeat(2);
    StudentKey again = kPcA;
    again.session = 0xA2;
    LogonReplyBody reply;
    EXPECT_EQ(roster.OnLogon(again, 1, 100, &reply), StudentRoster::LogonVerdict::Ask);
    roster.CompleteLogon(again, 1, Answer(2), 100);
    EXPECT_EQ(roster.size(), 1u);
    // Only the new open can go silent: one report, not two.
    EXPECT_EQ(roster.CollectSilent(100 + kSilentMs + 1, kSilentMs, kForgetMs), std::vector<int>{2});
}

TEST(StudentRoster, ASeatTakenByAnotherPcIsNoLongerTheFirstOnes)
{
    StudentRoster roster = WithSeat(2);
    LogonReplyBody reply;
    roster.OnLogon(kPcB, 1, 100, &reply);
    roster.CompleteLogon(kPcB, 1, Answer(2), 100);
    EXPECT_EQ(roster.OnBye(kPcA), 0);
    EXPECT_EQ(roster.OnBye(kPcB), 2);
}

TEST(StudentRoster, ItHoldsAtMostItsCapacityAndForgetsTheLongSilent)
{
    StudentRoster roster(2);
    LogonReplyBody reply;
    EXPECT_EQ(roster.OnLogon(kPcA, 1, 0, &reply), StudentRoster::LogonVerdict::Ask);
    EXPECT_EQ(roster.OnLogon(kPcB, 1, 0, &reply), StudentRoster::LogonVerdict::Ask);
    const StudentKey third = {0x0D01A8C0, 2302, 0xC1};
    EXPECT_EQ(roster.OnLogon(third, 1, 0, &reply), StudentRoster::LogonVerdict::Ignore);
    roster.CollectSilent(kForgetMs + 1, kSilentMs, kForgetMs);
    EXPECT_EQ(roster.size(), 0u);
    EXPECT_EQ(roster.OnLogon(third, 1, kForgetMs + 2, &reply), StudentRoster::LogonVerdict::Ask);
}

} // namespace
} // namespace kq::lectern
