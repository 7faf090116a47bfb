#include "teacher/VideoChannelList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
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

// The channel server numbers its channels 1 to 20, the lowest free one
// first: the ids of these tests are the ones it gives out.
void Announced(kq::VideoChannelList& channels, uint32_t key, int8_t state = kq::kChannelStopped)
{
    kq::UpdateChannel(channels, key, state, 0x0100A8C0, "频道" + std::to_string(key));
}

TEST(VideoChannelList, TwentyChannelsTakeTheSeatStatesAndAWithdrawnOneFreesItsNumber)
{
    kq::VideoChannelList channels;
    for (uint32_t key = 1; key <= 20; ++key) {
        SCOPED_TRACE(key);
        const int number = kq::UpdateChannel(channels, key, kq::kChannelStopped, 0, "c");
        EXPECT_EQ(number - 9, static_cast<int>(key)) << "shown as the server's number";
    }
    EXPECT_EQ(kq::FreeChannelNumber(channels), kq::kNoChannelNumber);
    EXPECT_EQ(kq::UpdateChannel(channels, 99, kq::kChannelStopped, 0, "21st"), kq::kNoChannelNumber);
    EXPECT_TRUE(kq::RemoveChannel(channels, 99));

    EXPECT_TRUE(kq::RemoveChannel(channels, 5));
    EXPECT_FALSE(kq::RemoveChannel(channels, 5)) << "gone already";
    EXPECT_TRUE(kq::RemoveChannel(channels, 3));
    EXPECT_EQ(kq::FreeChannelNumber(channels), 12) << "the lowest free one";
    EXPECT_EQ(kq::UpdateChannel(channels, 3, kq::kChannelStopped, 0, "c"), 12);
    EXPECT_EQ(kq::UpdateChannel(channels, 5, kq::kChannelStopped, 0, "c"), 14);
}

TEST(VideoChannelList, AKnownChannelTakesOnlyTheNewState)
{
    kq::VideoChannelList channels;
    Announced(channels, 1);
    Announced(channels, 2);
    EXPECT_EQ(kq::UpdateChannel(channels, 1, kq::kChannelPaused, 0x0200A8C0, "another"), 10);
    ASSERT_EQ(channels.size(), 2u);
    const kq::VideoChannel& first = channels.front();
    EXPECT_EQ(first.state, kq::kChannelPaused);
    EXPECT_EQ(first.serverAddress, 0x0100A8C0u) << "the address stays";
    EXPECT_EQ(first.name, "频道1") << "the name stays";
}

TEST(VideoChannelList, ActiveChannelsAreThoseNotStopped)
{
    kq::VideoChannelList channels;
    EXPECT_FALSE(kq::AnyChannelActive(channels));
    Announced(channels, 1, kq::kChannelStopped);
    EXPECT_FALSE(kq::AnyChannelActive(channels));
    Announced(channels, 2, kq::kChannelPlaying);
    Announced(channels, 3, kq::kChannelPaused);
    EXPECT_EQ(kq::CountActiveChannels(channels), 2);
    EXPECT_TRUE(kq::AnyChannelActive(channels));
    channels.back().state = kq::kChannelStopped; // the teacher stopped it
    EXPECT_EQ(kq::CountActiveChannels(channels), 1);
}

TEST(VideoChannelList, EndedChannelFoundByTheLowHalfOfItsKey)
{
    kq::VideoChannelList channels;
    Announced(channels, 0x00010002);
    Announced(channels, 7);
    ASSERT_NE(kq::FindEndedChannel(channels, 2), nullptr);
    EXPECT_EQ(kq::FindEndedChannel(channels, 2)->key, 0x00010002u);
    EXPECT_EQ(kq::FindEndedChannel(channels, 7)->number, 11);
    EXPECT_EQ(kq::FindEndedChannel(channels, 8), nullptr);
}

TEST(VideoChannelList, WatchersKeepTheStateOfAnActiveChannelOnly)
{
    kq::VideoChannelList channels;
    Announced(channels, 1, kq::kChannelPlaying); // 10
    Announced(channels, 2, kq::kChannelStopped); // 11
    Announced(channels, 3, kq::kChannelPaused);  // 12
    const struct {
        int seatState;
        int after;
    } cases[] = {{10, 10}, {11, 1}, {12, 12}, {13, 1}, {29, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seatState);
        EXPECT_EQ(kq::WatcherStateAfterDialog(channels, c.seatState), c.after);
    }
}

} // namespace
