#include "teacher/VideoChannelList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ViewingCase {
    const char* name;
    std::vector<int> states; // the listed seats' states, first seat first
    int flag;
};

TEST(ChannelViewing, FlagFromTheListedSeatsStates)
{
    const ViewingCase cases[] = {
        {"no seat listed", {}, 0},
        {"all logged on", {1, 1, 1}, 0},
        {"first watches channel 10", {10, 10}, 1},
        {"first watches channel 29", {29}, 1},
        {"state 9 is no channel", {9, 9}, 0},
        {"state 30 is past the channels", {30}, 0},
        {"mixed states", {1, 1, 12}, 1},
        {"one logged-on seat", {1}, 0},
    };
    for (const ViewingCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kq::ChannelViewingFlag(c.states), c.flag);
    }
}

TEST(ChannelViewing, AnyActiveChannel)
{
    kq::VideoChannelList channels;
    EXPECT_FALSE(kq::AnyChannelActive(channels));
    channels.push_back({1, 10, 0, 0, "一", false});
    channels.push_back({2, 11, 1, 0, "二", false});
    EXPECT_FALSE(kq::AnyChannelActive(channels));
    channels.back().active = true;
    EXPECT_TRUE(kq::AnyChannelActive(channels));
}

} // namespace
