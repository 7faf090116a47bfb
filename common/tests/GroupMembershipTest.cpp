// The multicast steps of every program's sockets on the test's private
// network: a shared port, membership on an adapter, and the sending adapter.

#include "common/GroupMembership.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr char kGroup[] = "227.3.3.9";
constexpr uint16_t kPort = 6141;
constexpr char kAdapter[] = "198.18.0.1"; // the test network's first address
constexpr DWORD kWaitMs = 3000;

class Socket {
public:
    Socket() : m_socket(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}
    ~Socket() { closesocket(m_socket); }
    operator SOCKET() const { return m_socket; }

    // One datagram within kWaitMs, or "".
    std::string Receive() const
    {
        DWORD timeout = kWaitMs;
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
        char buffer[64];
        const int length = recv(m_socket, buffer, sizeof buffer, 0);
        return length > 0 ? std::string(buffer, length) : std::string();
    }
    bool SendToGroup(const char* text, uint16_t port) const
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = inet_addr(kGroup);
        return sendto(m_socket, text, static_cast<int>(strlen(text)), 0, reinterpret_cast<const sockaddr*>(&to),
                      sizeof to) > 0;
    }
    uint32_t SendingInterface() const
    {
        in_addr outgoing = {};
        int size = sizeof outgoing;
        getsockopt(m_socket, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<char*>(&outgoing), &size);
        return outgoing.s_addr;
    }

private:
    SOCKET m_socket;
};

class GroupMembership : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

TEST_F(GroupMembership, MembersOnOneAdapterShareTheirPortAndSendThroughIt)
{
    const uint32_t adapter = inet_addr(kAdapter);
    Socket first, second, sender;
    ASSERT_TRUE(kq::BindShared(first, htons(kPort), htonl(INADDR_ANY)));
    ASSERT_TRUE(kq::BindShared(second, htons(kPort), htonl(INADDR_ANY))) << "a second program on the same port";
    ASSERT_TRUE(kq::JoinAndSendOn(first, inet_addr(kGroup), adapter));
    ASSERT_TRUE(kq::JoinAndSendOn(second, inet_addr(kGroup), 0));
    EXPECT_EQ(first.SendingInterface(), adapter);
    EXPECT_EQ(second.SendingInterface(), 0u) << "any adapter leaves the system's choice";

    ASSERT_TRUE(kq::BindShared(sender, 0, htonl(INADDR_ANY)));
    kq::SendThrough(sender, adapter);
    EXPECT_EQ(sender.SendingInterface(), adapter);
    ASSERT_TRUE(sender.SendToGroup("学生", kPort));
    EXPECT_EQ(first.Receive(), "学生");
    EXPECT_EQ(second.Receive(), "学生");
}

TEST_F(GroupMembership, RefusedStepsSayNo)
{
    Socket socket;
    ASSERT_TRUE(kq::BindShared(socket, htons(kPort + 1), htonl(INADDR_ANY)));
    EXPECT_FALSE(kq::JoinGroupOn(socket, inet_addr(kGroup), INADDR_NONE)) << "a text that is no address";
    EXPECT_FALSE(kq::JoinAndSendOn(socket, inet_addr(kGroup), inet_addr("198.18.9.9"))) << "no such adapter";
    EXPECT_EQ(socket.SendingInterface(), 0u) << "a refused member sends as before";
    EXPECT_FALSE(kq::JoinGroupOn(socket, inet_addr("198.18.0.2"), 0)) << "not a group";
    EXPECT_FALSE(kq::BindShared(socket, htons(kPort + 2), htonl(INADDR_ANY))) << "bound already";
}

} // namespace
