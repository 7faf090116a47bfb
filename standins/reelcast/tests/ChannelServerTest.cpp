#include "standins/reelcast/ChannelServer.h"

#include "common/ChannelAnnounce.h"
#include "common/ChannelWithdraw.h"
#include "common/TextField.h"
#include "common/VideoChannelCommand.h"
#include "common/VodCommandDatagram.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace kq;
using namespace kq::reelcast;

std::vector<Datagram> Send(ChannelServer& server, uint8_t kind, const std::string& name, const std::string& file = "")
{
    const VideoChannelCommand command = MakeVideoChannelCommand(kind, name.c_str(), file.c_str());
    return server.OnCommandPort(reinterpret_cast<const uint8_t*>(&command), sizeof command);
}

std::vector<Datagram> Player(ChannelServer& server, int32_t command, int32_t channel)
{
    const VodCommandDatagram datagram{kVodCommandKind, command, channel};
    return server.OnAnnouncePort(reinterpret_cast<const uint8_t*>(&datagram), sizeof datagram);
}

ChannelAnnounceFields Announced(const Datagram& d)
{
    ChannelAnnounceFields fields;
    EXPECT_TRUE(ParseChannelAnnounce(d.data(), d.size(), fields));
    return fields;
}

TEST(ChannelAnnounce, PortAndFlagAreAlwaysTheLastThreeBytes)
{
    const uint8_t withNul[] = {3, 1, 7, 0, 0, 0, 'a', 'b', 0, 0x34, 0x12, 9};
    const uint8_t withoutNul[] = {3, 0xFF, 7, 0, 0, 0, 'a', 'b', 0x34, 0x12, 9};
    for (const auto& [data, size] : {std::pair{withNul, sizeof withNul}, std::pair{withoutNul, sizeof withoutNul}}) {
        ChannelAnnounceFields fields;
        ASSERT_TRUE(ParseChannelAnnounce(data, size, fields));
        EXPECT_EQ(fields.name, "ab");
        EXPECT_EQ(fields.value, 7u);
        EXPECT_EQ(fields.port, 0x1234);
        EXPECT_EQ(fields.flag, 9);
    }
    ChannelAnnounceFields fields;
    EXPECT_EQ(Announced(Datagram(withoutNul, withoutNul + sizeof withoutNul)).state, -1);
    EXPECT_FALSE(ParseChannelAnnounce(withNul, kChannelAnnounceMinSize - 1, fields)) << "too short";
    const uint8_t withdraw[] = {4, 'a', 'b'};
    EXPECT_FALSE(ParseChannelAnnounce(withdraw, sizeof withdraw, fields)) << "another kind";

    std::string name;
    ASSERT_TRUE(ParseChannelWithdraw(withdraw, sizeof withdraw, name));
    EXPECT_EQ(name, "ab");
    EXPECT_FALSE(ParseChannelWithdraw(withdraw, 1, name));
    uint8_t small[4];
    EXPECT_EQ(BuildChannelWithdraw(small, sizeof small, "abcd"), 0u) << "does not fit";
}

TEST(ChannelServer, NumbersChannelsFromOneTakingTheLowestFree)
{
    ChannelServer server;
    for (int i = 1; i <= 20; ++i) {
        const std::vector<Datagram> out = Send(server, kVideoChannelAdd, "ch" + std::to_string(i), "C:\\v.mpg");
        ASSERT_EQ(out.size(), 1u);
        const ChannelAnnounceFields fields = Announced(out[0]);
        EXPECT_EQ(fields.value, static_cast<uint32_t>(i));
        EXPECT_EQ(fields.state, kChannelStopped);
        EXPECT_EQ(fields.port, kPlayPortBase + i);
    }
    EXPECT_TRUE(Send(server, kVideoChannelAdd, "ch21").empty()) << "all twenty in use";

    const std::vector<Datagram> removed = Send(server, kVideoChannelRemove, "CH3");
    ASSERT_EQ(removed.size(), 1u);
    std::string name;
    ASSERT_TRUE(ParseChannelWithdraw(removed[0].data(), removed[0].size(), name));
    EXPECT_EQ(name, "ch3") << "withdrawn under its own spelling";
    EXPECT_EQ(Announced(Send(server, kVideoChannelAdd, "new")[0]).value, 3u);
    EXPECT_TRUE(Send(server, kVideoChannelRemove, "nobody").empty());
}

TEST(ChannelServer, PlayerCommandsChangeTheStateAndQueriesAnnounceAll)
{
    ChannelServer server;
    Send(server, kVideoChannelAdd, "Movie", "C:\\a.mpg");
    Send(server, kVideoChannelAdd, "Talk", "C:\\b.mpg");
    struct Case {
        int32_t command;
        int8_t state;
    } cases[] = {{kVodCommandPlay, kChannelPlaying}, {kVodCommandStop, kChannelStopped},
                 {kVodCommandStart, kChannelPlaying}};
    for (const Case& c : cases) {
        const std::vector<Datagram> out = Player(server, c.command, 2);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(Announced(out[0]).name, "Talk");
        EXPECT_EQ(Announced(out[0]).state, c.state);
    }
    EXPECT_TRUE(Player(server, kVodCommandPlay, 9).empty()) << "no such channel";
    EXPECT_TRUE(Player(server, 3, 2).empty()) << "unknown command";

    const uint8_t query = 1;
    const std::vector<Datagram> all = server.OnAnnouncePort(&query, 1);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(Announced(all[0]).name, "Movie");
    EXPECT_EQ(Announced(all[1]).state, kChannelPlaying);
    EXPECT_EQ(server.WithdrawAll().size(), 2u);
    EXPECT_TRUE(server.Channels().empty());
}

TEST(ChannelServer, IgnoresMalformedDatagrams)
{
    ChannelServer server;
    VideoChannelCommand command{};
    command.kind = kVideoChannelAdd;
    std::memset(command.name, 'x', sizeof command.name); // no terminator: cut to the field
    const auto* bytes = reinterpret_cast<const uint8_t*>(&command);
    EXPECT_TRUE(server.OnCommandPort(bytes, sizeof command - 1).empty()) << "short";
    ASSERT_EQ(server.OnCommandPort(bytes, sizeof command).size(), 1u);
    EXPECT_EQ(server.Channels()[0].name, std::string(sizeof command.name, 'x'));
    command.name[0] = '\0';
    EXPECT_TRUE(server.OnCommandPort(bytes, sizeof command).empty()) << "no name";
    command.kind = 9;
    command.name[0] = 'y';
    EXPECT_TRUE(server.OnCommandPort(bytes, sizeof command).empty()) << "unknown kind";
    const VodCommandDatagram wrongKind{5, kVodCommandPlay, 1};
    EXPECT_TRUE(server.OnAnnouncePort(reinterpret_cast<const uint8_t*>(&wrongKind), sizeof wrongKind).empty());
    const uint8_t notAQuery[] = {1, 0};
    EXPECT_TRUE(server.OnAnnouncePort(notAQuery, sizeof notAQuery).empty());
}

} // namespace
