// Wake-on-LAN packets for the seat grid, heard on the wire port 18189.

#include "teacher/WakeOnLan.h"

#include "common/WakeOnLanPacket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A PC's network card waiting for its packet: UDP 18189, any address.
class Listener {
public:
    Listener()
    {
        socket_ = socket(AF_INET, SOCK_DGRAM, 0);
        const BOOL on = TRUE;
        setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(kq::kWakeOnLanWirePort);
        bound_ = bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
        u_long nonBlocking = 1;
        ioctlsocket(socket_, FIONBIO, &nonBlocking);
    }
    ~Listener() { closesocket(socket_); }
    bool Bound() const { return bound_; }
    std::vector<std::string> Drain(DWORD quietMs = 300)
    {
        std::vector<std::string> received;
        char buffer[1024];
        for (DWORD last = GetTickCount(); GetTickCount() - last < quietMs; Sleep(2)) {
            int length;
            while ((length = recv(socket_, buffer, sizeof buffer, 0)) > 0) {
                received.emplace_back(buffer, length);
                last = GetTickCount();
            }
        }
        return received;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    bool bound_ = false;
};

class WakeOnLan : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

std::string AddressOf(const std::string& packet)
{
    return packet.size() >= 12 ? packet.substr(6, 6) : "";
}

TEST_F(WakeOnLan, FourPacketsPerKnownAdapterInRowOrder)
{
    Listener card;
    ASSERT_TRUE(card.Bound());
    kq::SeatGrid grid{};
    // 3 columns x 2 rows in use; a MAC outside them and a hand-edited one of 11 digits are skipped.
    grid[0][0].mac = "00e04c000001";
    grid[0][2].mac = "00e04c000002";
    grid[1][0].mac = "00e04c000003";
    grid[1][1].mac = "00e04c00004";
    grid[1][2].mac = "00e04c000004";
    grid[0][3].mac = "00e04c0000ff";
    grid[2][0].mac = "00e04c0000fe";

    CWakeOnLan sender;
    ASSERT_EQ(sender.Open(), 0);
    EXPECT_EQ(sender.WakeSeats(grid, 2, 3, CWakeOnLan::kSeatRepeats), 16);
    sender.Close();

    const std::vector<std::string> packets = card.Drain();
    ASSERT_EQ(packets.size(), 16u);
    const char* order[] = {"\x00\xE0\x4C\x00\x00\x01", "\x00\xE0\x4C\x00\x00\x02", "\x00\xE0\x4C\x00\x00\x03",
                           "\x00\xE0\x4C\x00\x00\x04"};
    for (size_t i = 0; i < packets.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(packets[i].size(), 512u);
        EXPECT_EQ(packets[i].substr(0, 6), std::string(6, '\xFF'));
        EXPECT_EQ(AddressOf(packets[i]), std::string(order[i / 4], 6));
    }
}

TEST_F(WakeOnLan, CountGivesCountPlusOnePackets)
{
    Listener card;
    ASSERT_TRUE(card.Bound());
    CWakeOnLan sender;
    ASSERT_EQ(sender.Open(), 0);
    EXPECT_EQ(sender.SendMagicPacket("00e04c123456", 0, 0), 1);
    EXPECT_EQ(sender.SendMagicPacket("00e04c123456", 0, -1), 0);
    EXPECT_EQ(sender.SendMagicPacket("00e04c1234567", 0, 3), 0);
    EXPECT_EQ(sender.SendMagicPacket(nullptr, 0, 3), 0);
    EXPECT_EQ(card.Drain().size(), 1u);
}

TEST_F(WakeOnLan, OpenAndCloseCanBeRepeated)
{
    CWakeOnLan sender;
    ASSERT_EQ(sender.Open(), 0);
    sender.Close();
    sender.Close();
    ASSERT_EQ(sender.Open(), 0);
    Listener card;
    EXPECT_EQ(sender.SendMagicPacket("00e04c123456", 0, 1), 2);
    EXPECT_EQ(card.Drain().size(), 2u);
}

} // namespace
