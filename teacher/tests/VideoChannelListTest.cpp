#include "teacher/VideoChannelList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(uint32_t value)
{
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

struct JoinCase {
    const char* name;
    uint32_t wire; // as one little-endian u32
    bool changes;
    int state;
};

TEST(ChannelViewing, JoinNoticesSetTheChannelsStateForTheServersValuesOnly)
{
    const JoinCase cases[] = {
        {"join channel 1", 0x01070001, true, 10},
        {"join channel 20", 0x01070014, true, 29},
        {"leave channel 20", 0x00070014, true, 1},
        {"sender's number + 256 in the high half", (7u + 256) << 16 | 3, true, 12},
        {"join value 0", 0x01070000, false, 0},
        {"join value 21", 0x01070015, false, 0},
        {"leave value 0", 0x00070000, false, 0},
        {"value 0xFFFF", 0x0107FFFF, false, 0},
    };
    for (const JoinCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Bytes(c.wire);
        kq::ChannelJoinNotice notice{};
        ASSERT_TRUE(kq::ParseChannelJoinNotice(bytes.data(), bytes.size(), notice));
        EXPECT_EQ(notice.seat, 7);
        int state = -1;
        EXPECT_EQ(kq::SeatStateForJoinNotice(notice, state), c.changes);
        if (c.changes) {
            EXPECT_EQ(state, c.state);
        }
    }
}


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
