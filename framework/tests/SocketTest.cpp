// Sockets: datagrams to the test's own addresses (loopback, the private
// network's 198.18.0.1, a multicast group, broadcast), notifications through
// the message loop of the socket's thread, and the blocking CSocket.
//
// These tests run only inside the private network namespace of the test
// scripts.

#include "framework/AsyncSocket.h"
#include "framework/Socket.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr char kPrivateHost[] = "198.18.0.1";
constexpr char kTestGroup[] = "227.1.1.99";
constexpr DWORD kPatienceMs = 3000;
constexpr DWORD kQuietMs = 300;

// Runs this thread's message loop until `done` says so or time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

struct Datagram {
    std::string data;
    CString from;
    UINT port;
};

// Reads every datagram it is told of into a buffer of `bufferSize` bytes.
class Receiver : public CAsyncSocket {
public:
    static constexpr int kGuard = 16;
    static constexpr char kGuardByte = '#';

    explicit Receiver(int bufferSize = 1024) : m_bufferSize(bufferSize) {}

    void OnReceive(int errorCode) override
    {
        ++notices;
        thread = ::GetCurrentThreadId();
        noticeError = errorCode;
        std::vector<char> buffer(m_bufferSize + kGuard, kGuardByte);
        CString from;
        UINT port = 0;
        const int received = ReceiveFrom(buffer.data(), m_bufferSize, from, port);
        guardIntact = std::string(buffer.data() + m_bufferSize, kGuard) == std::string(kGuard, kGuardByte);
        if (received == SOCKET_ERROR) {
            lastError = GetLastError();
            failedFrom = from;
            return;
        }
        datagrams.push_back({std::string(buffer.data(), received), from, port});
    }

    UINT Port()
    {
        CString address;
        UINT port = 0;
        GetSockName(address, port);
        return port;
    }

    std::vector<Datagram> datagrams;
    int notices = 0;
    DWORD thread = 0;
    int noticeError = 0;
    int lastError = 0;
    bool guardIntact = true;
    CString failedFrom;

private:
    int m_bufferSize;
};

class SocketTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxSocketInit()); }
    void TearDown() override { ::WSACleanup(); }
};

TEST_F(SocketTest, DatagramsToOwnAddressesReachOnReceiveWithTheirSender)
{
    for (const char* host : {kLoopback, kPrivateHost}) {
        SCOPED_TRACE(host);
        Receiver receiver;
        ASSERT_TRUE(receiver.Create(0, SOCK_DGRAM, FD_READ, host)) << CAsyncSocket::GetLastError();
        EXPECT_EQ(CAsyncSocket::FromHandle(receiver.m_hSocket), &receiver);

        CAsyncSocket sender;
        ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, FD_WRITE, host));
        CString senderAddress;
        UINT senderPort = 0;
        ASSERT_TRUE(sender.GetSockName(senderAddress, senderPort));
        EXPECT_STREQ(senderAddress, host);

        ASSERT_EQ(sender.SendTo("hello", 5, receiver.Port(), host), 5);
        ASSERT_TRUE(PumpUntil([&] { return !receiver.datagrams.empty(); }));

        EXPECT_EQ(receiver.thread, ::GetCurrentThreadId()) << "called from this thread's message loop";
        EXPECT_EQ(receiver.noticeError, 0);
        EXPECT_EQ(receiver.datagrams[0].data, "hello");
        EXPECT_STREQ(receiver.datagrams[0].from, host);
        EXPECT_EQ(receiver.datagrams[0].port, senderPort);
    }
}

TEST_F(SocketTest, MulticastGroupMembersHearTheGroup)
{
    Receiver member;
    ASSERT_TRUE(member.Socket(SOCK_DGRAM, FD_READ));
    const BOOL reuse = TRUE;
    ASSERT_TRUE(member.SetSockOpt(SO_REUSEADDR, &reuse, sizeof reuse));
    ASSERT_TRUE(member.Bind(0));
    ip_mreq membership = {};
    ::inet_pton(AF_INET, kTestGroup, &membership.imr_multiaddr);
    membership.imr_interface.s_addr = htonl(INADDR_ANY);
    ASSERT_TRUE(member.SetSockOpt(IP_ADD_MEMBERSHIP, &membership, sizeof membership, IPPROTO_IP))
        << CAsyncSocket::GetLastError();

    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0));
    ASSERT_EQ(sender.SendTo("group", 5, member.Port(), kTestGroup), 5);
    ASSERT_TRUE(PumpUntil([&] { return !member.datagrams.empty(); }));
    EXPECT_EQ(member.datagrams[0].data, "group");
    EXPECT_STREQ(member.datagrams[0].from, kPrivateHost) << "sent from the private network's interface";
}

TEST_F(SocketTest, NoHostMeansBroadcastWhichTheSocketMustAllow)
{
    Receiver listener;
    ASSERT_TRUE(listener.Create(0, SOCK_DGRAM, FD_READ));
    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0));

    EXPECT_EQ(sender.SendTo("all", 3, listener.Port()), SOCKET_ERROR);
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAEACCES) << "broadcast without SO_BROADCAST is refused";

    const BOOL allow = TRUE;
    ASSERT_TRUE(sender.SetSockOpt(SO_BROADCAST, &allow, sizeof allow));
    BOOL read = FALSE;
    int size = sizeof read;
    ASSERT_TRUE(sender.GetSockOpt(SO_BROADCAST, &read, &size));
    EXPECT_TRUE(read);
    ASSERT_EQ(sender.SendTo("all", 3, listener.Port()), 3);
    ASSERT_TRUE(PumpUntil([&] { return !listener.datagrams.empty(); }));
    EXPECT_EQ(listener.datagrams[0].data, "all");
}

TEST_F(SocketTest, ClosingStopsNotifications)
{
    Receiver receiver;
    ASSERT_TRUE(receiver.Create(0, SOCK_DGRAM, FD_READ, kLoopback));
    const SOCKET handle = receiver.m_hSocket;
    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0, kLoopback));
    ASSERT_EQ(sender.SendTo("late", 4, receiver.Port(), kLoopback), 4);
    ::Sleep(50); // the notice is queued now

    receiver.Close();
    EXPECT_EQ(receiver.m_hSocket, INVALID_SOCKET);
    EXPECT_EQ(CAsyncSocket::FromHandle(handle), nullptr);
    PumpFor(kQuietMs);
    EXPECT_EQ(receiver.notices, 0);
}

TEST_F(SocketTest, AnOversizedDatagramIsCutToTheBufferAndReported)
{
    Receiver receiver(8);
    ASSERT_TRUE(receiver.Create(0, SOCK_DGRAM, FD_READ, kLoopback));
    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0, kLoopback));
    const std::string big(100, 'x');
    ASSERT_EQ(sender.SendTo(big.data(), static_cast<int>(big.size()), receiver.Port(), kLoopback), 100);

    ASSERT_TRUE(PumpUntil([&] { return receiver.notices > 0; }));
    EXPECT_EQ(receiver.lastError, WSAEMSGSIZE);
    EXPECT_TRUE(receiver.guardIntact) << "nothing written past the buffer";
    EXPECT_TRUE(receiver.datagrams.empty());
    EXPECT_TRUE(receiver.failedFrom.IsEmpty()) << "no sender reported for a failed receive";

    // The socket goes on working for the next datagram.
    ASSERT_EQ(sender.SendTo("small", 5, receiver.Port(), kLoopback), 5);
    ASSERT_TRUE(PumpUntil([&] { return !receiver.datagrams.empty(); }));
    EXPECT_EQ(receiver.datagrams[0].data, "small");
}

TEST_F(SocketTest, NotificationsGoToTheThreadThatMadeTheSocket)
{
    std::atomic<UINT> port{0};
    std::atomic<bool> received{false};
    DWORD worker = 0;
    DWORD notifiedOn = 0;
    std::thread thread([&] {
        worker = ::GetCurrentThreadId();
        Receiver receiver;
        if (!receiver.Create(0, SOCK_DGRAM, FD_READ, kLoopback))
            return;
        port = receiver.Port();
        received = PumpUntil([&] { return !receiver.datagrams.empty(); });
        notifiedOn = receiver.thread;
    });
    const DWORD start = ::GetTickCount();
    while (port == 0 && ::GetTickCount() - start < kPatienceMs)
        ::Sleep(5);

    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0, kLoopback));
    EXPECT_EQ(sender.SendTo("there", 5, port, kLoopback), 5);
    thread.join();
    EXPECT_TRUE(received);
    EXPECT_EQ(notifiedOn, worker);
    EXPECT_NE(notifiedOn, ::GetCurrentThreadId());
}

TEST_F(SocketTest, CallsThatWouldBlockFailOnAnAsyncSocket)
{
    CAsyncSocket socket;
    ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, FD_READ, kLoopback));
    char buffer[16];
    CString from;
    UINT port = 0;
    EXPECT_EQ(socket.ReceiveFrom(buffer, sizeof buffer, from, port), SOCKET_ERROR);
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAEWOULDBLOCK);

    EXPECT_FALSE(socket.Create(0, SOCK_DGRAM)) << "a socket is made once";
    // A port that the first socket holds.
    CString address;
    UINT taken = 0;
    socket.GetSockName(address, taken);
    CAsyncSocket foreign;
    EXPECT_FALSE(foreign.Create(taken, SOCK_DGRAM, 0, kLoopback));
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAEADDRINUSE);
    EXPECT_EQ(foreign.m_hSocket, INVALID_SOCKET) << "a failed Create leaves nothing open";
}

// A blocking socket that counts the notices it is given.
class CountingSocket : public CSocket {
public:
    void OnReceive(int) override { ++notices; }
    int notices = 0;
};

TEST_F(SocketTest, BlockingReceiveWaitsForItsDatagramAndLeavesNoStaleNotice)
{
    CountingSocket socket;
    ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, kLoopback));
    CString address;
    UINT port = 0;
    socket.GetSockName(address, port);

    std::thread later([port] {
        ::Sleep(100);
        CAsyncSocket sender;
        sender.Create(0, SOCK_DGRAM, 0, kLoopback);
        sender.SendTo("wait", 4, port, kLoopback);
    });
    char buffer[16] = {};
    CString from;
    UINT fromPort = 0;
    const DWORD start = ::GetTickCount();
    const int received = socket.ReceiveFrom(buffer, sizeof buffer, from, fromPort);
    const DWORD waited = ::GetTickCount() - start;
    later.join();

    ASSERT_EQ(received, 4);
    EXPECT_EQ(std::string(buffer, 4), "wait");
    EXPECT_STREQ(from, kLoopback);
    EXPECT_GE(waited, 50u) << "the call waited for the datagram";

    PumpFor(kQuietMs);
    EXPECT_EQ(socket.notices, 0) << "the read notice of a datagram already taken is not passed on";
}

// Accepts one connection into a blocking socket.
class Listener : public CAsyncSocket {
public:
    void OnAccept(int errorCode) override { accepted = errorCode == 0 && Accept(connection); }
    CSocket connection;
    bool accepted = false;
};

TEST_F(SocketTest, StreamSocketsConnectAcceptAndCarryBytes)
{
    Listener listener;
    ASSERT_TRUE(listener.Create(0, SOCK_STREAM, FD_ACCEPT, kLoopback));
    ASSERT_TRUE(listener.Listen());
    CString address;
    UINT port = 0;
    listener.GetSockName(address, port);

    CSocket client;
    ASSERT_TRUE(client.Create());
    ASSERT_TRUE(client.Connect(kLoopback, port)) << CAsyncSocket::GetLastError();
    ASSERT_TRUE(PumpUntil([&] { return listener.accepted; }));

    const std::string message(64 * 1024, 'm');
    std::thread sending([&] { EXPECT_EQ(client.Send(message.data(), static_cast<int>(message.size())), 65536); });
    std::string got;
    char buffer[4096];
    while (got.size() < message.size()) {
        const int n = listener.connection.Receive(buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    sending.join();
    EXPECT_EQ(got, message);

    CString peer;
    UINT peerPort = 0;
    ASSERT_TRUE(listener.connection.GetPeerName(peer, peerPort));
    EXPECT_STREQ(peer, kLoopback);

    CSocket refused;
    ASSERT_TRUE(refused.Create());
    listener.Close();
    EXPECT_FALSE(refused.Connect(kLoopback, port)) << "nobody listens any more";
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAECONNREFUSED);
}

} // namespace
