// The channel list's rules over a fake row sink, and what the receiver takes
// from its command line and student.ini.

#include "channels/CastviewSettings.h"
#include "channels/ChannelList.h"
#include "common/ChannelAnnounce.h"
#include "common/ChannelJoinNotice.h"
#include "common/ChannelWithdraw.h"
#include "common/Ipv4Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace kq;

// Rows as a list control holds them, and the queries sent.
class FakeRows : public ChannelRows {
public:
    int RowCount() const override { return static_cast<int>(rows.size()); }
    const ChannelInfo* RowRecord(int row) const override { return rows[row]; }
    std::string RowName(int row) const override { return rows[row]->name; }
    void AppendRow(const ChannelInfo& record) override { rows.push_back(&record); }
    void DeleteRow(int row) override { rows.erase(rows.begin() + row); }
    void DeleteAllRows() override { rows.clear(); }
    void SendQuery() override { ++queries; }

    std::vector<const ChannelInfo*> rows;
    int queries = 0;
};

constexpr char kServerA[] = "198.18.0.1";
constexpr char kServerB[] = "198.18.0.2";

std::vector<uint8_t> Announce(const std::string& name, int8_t state, uint32_t value = 1, uint16_t port = 9000,
                              uint8_t flag = 7)
{
    std::vector<uint8_t> d(64);
    d.resize(BuildChannelAnnounce(d.data(), d.size(), {state, value, name, port, flag}));
    return d;
}

std::vector<uint8_t> Withdraw(const std::string& name)
{
    std::vector<uint8_t> d(64);
    d.resize(BuildChannelWithdraw(d.data(), d.size(), name));
    return d;
}

class ChannelListRules : public ::testing::Test {
protected:
    bool Receive(const std::vector<uint8_t>& d, const char* server = kServerA)
    {
        return list.OnDatagram(d.data(), d.size(), server, announced);
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> names;
        for (const ChannelInfo* r : rows.rows)
            names.push_back(r->name + "@" + r->server);
        return names;
    }

    FakeRows rows;
    ChannelList list{rows};
    ChannelInfo announced;
};

TEST_F(ChannelListRules, AStoppedChannelIsKeptWithoutARowUntilItPlaysWithItsFirstValues)
{
    EXPECT_TRUE(Receive(Announce("电影", kChannelStopped, 3, 9003, 1)));
    EXPECT_EQ(list.RecordCount(), 1u);
    EXPECT_TRUE(rows.rows.empty());

    EXPECT_TRUE(Receive(Announce("电影", kChannelPlaying, 8, 9008, 2)));
    ASSERT_EQ(rows.rows.size(), 1u);
    const ChannelInfo& shown = *rows.rows[0];
    EXPECT_EQ(shown.value, 3u);
    EXPECT_EQ(shown.port, 9003);
    EXPECT_EQ(shown.flag, 1);
    EXPECT_EQ(shown.state, kChannelPlaying);
    EXPECT_EQ(announced.value, 8u) << "the automatic start sees the datagram's own fields";
    EXPECT_EQ(announced.server, kServerA);
}

TEST_F(ChannelListRules, StoppingAShownChannelRemovesItsRowAndAWithdrawalThenChangesNothing)
{
    Receive(Announce("电影", kChannelPlaying));
    Receive(Announce("电影", kChannelStopped));
    EXPECT_TRUE(rows.rows.empty());
    ASSERT_NE(list.Find("电影", kServerA), nullptr);
    EXPECT_EQ(list.Find("电影", kServerA)->state, kChannelStopped);

    EXPECT_FALSE(Receive(Withdraw("电影")));
    EXPECT_EQ(list.RecordCount(), 1u) << "a record without a row is not withdrawn";
}

TEST_F(ChannelListRules, OneNameFromTwoServersGivesTwoRowsAndOneWithdrawalRemovesTheUpperOne)
{
    Receive(Announce("Talk", kChannelPaused), kServerA);
    Receive(Announce("Talk", kChannelPlaying), kServerB);
    Receive(Announce("News", kChannelPlaying), kServerA);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Talk@198.18.0.1", "Talk@198.18.0.2", "News@198.18.0.1"}));

    Receive(Withdraw("Talk"), kServerB);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Talk@198.18.0.2", "News@198.18.0.1"}));
    EXPECT_EQ(list.Find("Talk", kServerA), nullptr);
    EXPECT_NE(list.Find("Talk", kServerB), nullptr);
    EXPECT_EQ(list.Find("talk", kServerB), nullptr) << "names match byte for byte";
}

TEST_F(ChannelListRules, ShortAndForeignDatagramsChangeNothing)
{
    Receive(Announce("News", kChannelPlaying));
    const std::vector<uint8_t> full = Announce("X", kChannelPlaying);
    const std::vector<std::vector<uint8_t>> ignored = {
        std::vector<uint8_t>(full.begin(), full.begin() + 8), // an 8-byte announcement
        {kChannelWithdrawKind},                               // a 1-byte withdrawal
        {1},                                                  // a query
        {9, 'N', 'e', 'w', 's', 0},                           // another kind
    };
    for (const auto& d : ignored) {
        EXPECT_FALSE(Receive(d));
        EXPECT_EQ(Shown(), (std::vector<std::string>{"News@198.18.0.1"}));
        EXPECT_EQ(list.RecordCount(), 1u);
    }
    std::vector<uint8_t> tooLong(ChannelList::kMaxDatagram + 1, 0);
    tooLong[0] = kChannelWithdrawKind;
    std::copy_n("News", 5, tooLong.begin() + 1);
    EXPECT_FALSE(Receive(tooLong));
    EXPECT_EQ(list.RecordCount(), 1u);
}

TEST_F(ChannelListRules, ANameWithoutItsNulStillEndsThreeBytesBeforeTheEnd)
{
    // Twenty name bytes with their NUL make 30 bytes; without it, 29.
    const std::string name(20, 'n');
    std::vector<uint8_t> withNul = Announce(name, kChannelPlaying, 1, 0x1234, 5);
    ASSERT_EQ(withNul.size(), 30u);
    std::vector<uint8_t> without = withNul;
    without.erase(without.begin() + 26); // the NUL
    ASSERT_TRUE(Receive(without, kServerB));
    EXPECT_EQ(announced.name, name);
    EXPECT_EQ(announced.port, 0x1234);
    EXPECT_EQ(announced.flag, 5);
}

TEST_F(ChannelListRules, ARefreshEmptiesTheListAndSendsOneQuery)
{
    Receive(Announce("A", kChannelPlaying));
    Receive(Announce("B", kChannelStopped));
    list.Refresh();
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(list.RecordCount(), 0u);
    EXPECT_EQ(rows.queries, 1);
    Receive(Announce("A", kChannelPlaying));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A@198.18.0.1"})) << "the answers bring the rows back";
}

TEST(ChannelJoinNoticeOfReceiver, SeatIsCutToItsLowByte)
{
    const ChannelJoinNotice notice = MakeChannelJoinNotice(0x10005, 300, true);
    EXPECT_EQ(notice.channel, 5);
    EXPECT_EQ(notice.seat, 44);
    EXPECT_EQ(notice.joined, 1);
}

TEST(CastviewCommandLineParse, TakesASeatAndOneWord)
{
    struct Case {
        const char* line;
        int seat;
        const char* name;
    } cases[] = {
        {"12 电影", 12, "电影"},
        {"  7\tTalk extra", 7, "Talk"},
        {"", 0, ""},
        {"5", 5, ""},
        {"电影", 0, ""}, // no number: nothing is read
    };
    for (const Case& c : cases) {
        const CastviewCommandLine parsed = ParseCastviewCommandLine(c.line);
        EXPECT_EQ(parsed.seat, c.seat) << c.line;
        EXPECT_EQ(parsed.channelName, c.name) << c.line;
    }
    const std::string longName(5000, 'x');
    EXPECT_EQ(ParseCastviewCommandLine(("3 " + longName).c_str()).channelName, longName)
        << "a long name is taken whole, never into a fixed buffer";
}

TEST(CastviewNetworkRules, FollowTheAgentsDefaults)
{
    struct Case {
        CastviewIniValues values;
        bool automatic;
        const char* noticeGroup;
        uint16_t noticePort;
        const char* channelGroup;
        uint16_t channelPort;
    } cases[] = {
        {{"", "", ""}, true, "227.1.1.7", 2012, "227.1.1.7", 8600},
        {{"65536", "kq", "3"}, true, "227.1.4.7", 6010, "227.1.4.7", 8603},
        {{"5000", "227.1.1.7", "2"}, false, "227.1.3.7", 5010, "226.1.1.1", 8600},
        {{"5000", "239.9.255.1", "1"}, true, "239.9.0.1", 5010, "239.9.0.1", 8601},
    };
    for (const Case& c : cases) {
        const CastviewNetwork network = ResolveCastviewNetwork(c.values, c.automatic);
        EXPECT_EQ(FormatDottedIpv4(network.noticeGroup), c.noticeGroup) << c.values.mainPort;
        EXPECT_EQ(network.noticePort, c.noticePort) << c.values.mainPort;
        EXPECT_EQ(network.channelGroup, c.channelGroup) << c.values.mainPort;
        EXPECT_EQ(network.channelPort, c.channelPort) << c.values.mainPort;
    }
}

} // namespace
