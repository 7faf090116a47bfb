// CMulticastSocket on the test's private network: the endpoint checks, a
// group exchange with its window notice, broadcasts, and the life cycle.

#include "common/MulticastSocket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kGroup[] = "227.3.3.3";
constexpr uint16_t kPort = 6123;
constexpr UINT kNotice = WM_APP + 7;
constexpr DWORD kWaitMs = 3000;
constexpr int kUnchanged = 4242;

// A message-only window that Windows Sockets can post to.
class NoticeWindow {
public:
    NoticeWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MulticastSocketTestWindow";
        RegisterClassA(&wc);
        handle_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
    }
    ~NoticeWindow()
    {
        if (handle_ != nullptr)
            DestroyWindow(handle_);
    }
    HWND Handle() const { return handle_; }
    void Destroy()
    {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    // Waits for `message` to this window; its lParam's event, or 0.
    long WaitFor(UINT message) const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(5)) {
            MSG msg;
            if (PeekMessageA(&msg, handle_, message, message, PM_REMOVE))
                return WSAGETSELECTEVENT(msg.lParam);
        }
        return 0;
    }

private:
    HWND handle_ = nullptr;
};

// Receives one datagram, polling the non-blocking socket.
std::string Receive(CMulticastSocket& socket)
{
    char buffer[600];
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(5)) {
        DWORD length = 0;
        if (socket.RecvFrom(buffer, sizeof buffer, &length))
            return std::string(buffer, length);
    }
    return "";
}

class MulticastSocket : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

struct RefusedCase {
    const char* name;
    const char* group;
    uint16_t port;
    int timeToLive;
};

TEST_F(MulticastSocket, RefusesABadEndpointWithoutAnError)
{
    const RefusedCase cases[] = {
        {"local control block 224.0.0.255", "224.0.0.255", kPort, 1},
        {"not a group", "198.18.0.1", kPort, 1},
        {"above the groups", "240.0.0.1", kPort, 1},
        {"port 1023", kGroup, 1023, 1},
        {"time-to-live 0", kGroup, kPort, 0},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMulticastSocket socket;
        socket.SetLastError(kUnchanged);
        EXPECT_EQ(socket.Create(inet_addr(c.group), htons(c.port), nullptr, c.timeToLive), 0);
        EXPECT_EQ(socket.GetLastError(), kUnchanged);
        EXPECT_EQ(socket.Socket(), INVALID_SOCKET);
    }
    CMulticastSocket lowest;
    EXPECT_EQ(lowest.Create(inet_addr("224.0.1.0"), htons(1024), nullptr, 1), 1) << "the lowest accepted";
}

TEST_F(MulticastSocket, TwoMembersExchangeDatagramsAndTheWindowHearsOfThem)
{
    NoticeWindow window;
    CMulticastSocket a, b;
    ASSERT_EQ(a.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
    ASSERT_EQ(b.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
    ASSERT_EQ(a.JoinGroup(nullptr, 1), 1);
    ASSERT_EQ(b.JoinGroup(nullptr, 1), 1);
    EXPECT_EQ(a.Leaf(), a.Socket());
    ASSERT_EQ(b.AsyncSelect(window.Handle(), kNotice, FD_READ), 1);

    const char text[] = "学生：你好\r\n";
    DWORD sent = 0;
    ASSERT_EQ(a.SendTo(text, sizeof text, &sent, 3), 1);
    EXPECT_EQ(sent, sizeof text);
    EXPECT_EQ(window.WaitFor(kNotice), FD_READ);
    EXPECT_EQ(Receive(b), std::string(text, sizeof text));
    EXPECT_EQ(ntohs(b.FromAddress().sin_port), kPort);
    EXPECT_EQ(ntohl(a.GroupAddress().sin_addr.s_addr), ntohl(inet_addr(kGroup)));
}

TEST_F(MulticastSocket, SendOnlyMemberReachesTheGroup)
{
    CMulticastSocket sender, listener;
    ASSERT_EQ(listener.Create(inet_addr(kGroup), htons(kPort + 1), nullptr, 1), 1);
    ASSERT_EQ(listener.JoinGroup(nullptr, 1), 1);
    ASSERT_EQ(sender.Create(inet_addr(kGroup), htons(kPort + 1), "198.18.0.1", 1), 1);
    ASSERT_EQ(sender.JoinGroup("198.18.0.1", 0), 1);
    DWORD sent = 0;
    ASSERT_EQ(sender.SendTo("x", 1, &sent, 1), 1);
    EXPECT_EQ(Receive(listener), "x");
}

TEST_F(MulticastSocket, GroupZeroBroadcastsToTheWholeNetwork)
{
    CMulticastSocket sender, listener;
    ASSERT_EQ(listener.Create(0, htons(kPort + 2), nullptr, 1), 1);
    ASSERT_EQ(sender.Create(0, htons(kPort + 2), nullptr, 1), 1);
    EXPECT_EQ(sender.GroupAddress().sin_addr.s_addr, htonl(INADDR_BROADCAST));
    BOOL broadcast = FALSE;
    int size = sizeof broadcast;
    ASSERT_EQ(getsockopt(sender.Socket(), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<char*>(&broadcast), &size), 0);
    EXPECT_TRUE(broadcast);
    DWORD sent = 0;
    ASSERT_EQ(sender.SendTo("hello", 5, &sent, 1), 1);
    EXPECT_EQ(Receive(listener), "hello");
}

TEST_F(MulticastSocket, SecondCreateKeepsTheFirstSocketAndCloseMakesItReusable)
{
    CMulticastSocket socket;
    ASSERT_EQ(socket.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
    const SOCKET first = socket.Socket();
    socket.SetLastError(kUnchanged);
    EXPECT_EQ(socket.Create(inet_addr(kGroup), htons(kPort + 3), nullptr, 1), 0);
    EXPECT_EQ(socket.Socket(), first);
    EXPECT_EQ(ntohs(socket.LocalAddress().sin_port), kPort);
    EXPECT_EQ(socket.GetLastError(), kUnchanged);

    EXPECT_EQ(socket.CloseSocket(), 1);
    EXPECT_EQ(socket.Socket(), INVALID_SOCKET);
    EXPECT_EQ(socket.CloseSocket(), 1) << "nothing left to close";
    EXPECT_EQ(socket.Create(inet_addr(kGroup), htons(kPort + 3), nullptr, 1), 1);
}

TEST_F(MulticastSocket, AsyncSelectWithoutAWindowOrSocketLeavesTheError)
{
    NoticeWindow window;
    CMulticastSocket socket;
    socket.SetLastError(kUnchanged);
    EXPECT_EQ(socket.AsyncSelect(window.Handle(), kNotice, FD_READ), 0) << "no socket";
    ASSERT_EQ(socket.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
    window.Destroy();
    EXPECT_EQ(socket.AsyncSelect(window.Handle(), kNotice, FD_READ), 0);
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(socket.AsyncSelect(gone, kNotice, FD_READ), 0) << "a destroyed window";
    EXPECT_EQ(socket.GetLastError(), kUnchanged);
}

TEST_F(MulticastSocket, FailuresKeepTheWinsockError)
{
    CMulticastSocket socket;
    ASSERT_EQ(socket.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
    char buffer[16];
    DWORD received = 77;
    EXPECT_EQ(socket.RecvFrom(buffer, sizeof buffer, &received), 0) << "nothing waiting";
    EXPECT_EQ(socket.GetLastError(), WSAEWOULDBLOCK);
    EXPECT_EQ(received, 77u) << "not written on failure";
    DWORD sent = 0;
    socket.SetLastError(kUnchanged);
    EXPECT_EQ(socket.SendTo("x", 1, &sent, 0), 0) << "no attempt";
    EXPECT_EQ(socket.JoinGroup("198.18.9.9", 1), 0) << "no such interface";
    EXPECT_NE(socket.GetLastError(), kUnchanged);
}

} // namespace
