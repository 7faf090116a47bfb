#include "teacher/ShutdownSchedule.h"

#include <gtest/gtest.h>

namespace {

using Seats = kq::ShutdownSchedule::Seats;

TEST(ShutdownSchedule, EachCommandGoesOffLineASecondBeforeItsDelay)
{
    struct Case {
        unsigned delay;
        uint64_t expectedMs;
    };
    const Case cases[] = {{1, 0}, {2, 1000}, {20, 19000}, {255, 254000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        kq::ShutdownSchedule schedule;
        schedule.Add(5000, c.delay, {3});
        EXPECT_EQ(c.expectedMs, schedule.MsUntilNext(5000));
        if (c.expectedMs > 0) {
            EXPECT_TRUE(schedule.TakeDue(5000 + c.expectedMs - 1).empty());
        }
        EXPECT_EQ(Seats{3}, schedule.TakeDue(5000 + c.expectedMs));
        EXPECT_TRUE(schedule.Empty());
    }
}

TEST(ShutdownSchedule, ASecondCommandKeepsItsOwnTargetsAndDeadline)
{
    kq::ShutdownSchedule schedule;
    schedule.Add(0, 10, {1, 2});   // due at 9000
    schedule.Add(2000, 3, {7});    // due at 4000: earlier than the first
    EXPECT_EQ(4000u, schedule.MsUntilNext(0));

    EXPECT_EQ(Seats{7}, schedule.TakeDue(4000));
    ASSERT_FALSE(schedule.Empty());
    EXPECT_EQ(5000u, schedule.MsUntilNext(4000));
    EXPECT_TRUE(schedule.TakeDue(8999).empty());
    EXPECT_EQ((Seats{1, 2}), schedule.TakeDue(9000));
    EXPECT_TRUE(schedule.Empty());
}

TEST(ShutdownSchedule, CommandsDueTogetherAreMarkedTogether)
{
    kq::ShutdownSchedule schedule;
    schedule.Add(0, 2, {4});
    schedule.Add(0, 2, {5, 6});
    EXPECT_EQ(0u, schedule.MsUntilNext(1500)) << "a late timer serves at once";
    EXPECT_EQ((Seats{4, 5, 6}), schedule.TakeDue(1500));
}

} // namespace
