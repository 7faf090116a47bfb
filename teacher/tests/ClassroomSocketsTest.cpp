// The teacher's classroom and signal sockets on the test's private network.

#include "teacher/ClassroomSockets.h"

#include "common/ClassroomSignal.h"
#include "common/MulticastSocket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kMainPort = 6400;
constexpr char kClassroomGroup[] = "227.1.4.7";
constexpr DWORD kWaitMs = 3000;

class Window {
public:
    Window()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ClassroomSocketsTestWindow";
        RegisterClassA(&wc);
        handle_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
    }
    ~Window() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }
    bool WaitForRead() const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(5)) {
            MSG msg;
            if (PeekMessageA(&msg, handle_, CClassroomSockets::kReadMessage, CClassroomSockets::kReadMessage,
                             PM_REMOVE))
                return WSAGETSELECTEVENT(msg.lParam) == FD_READ;
        }
        return false;
    }

private:
    HWND handle_ = nullptr;
};

// Everything that arrives on `socket` until it stays quiet for a while.
std::vector<std::string> Drain(CMulticastSocket& socket, DWORD quietMs = 300)
{
    std::vector<std::string> received;
    char buffer[600];
    for (DWORD last = GetTickCount(); GetTickCount() - last < quietMs; Sleep(2)) {
        DWORD length = 0;
        while (socket.RecvFrom(buffer, sizeof buffer, &length)) {
            received.emplace_back(buffer, length);
            last = GetTickCount();
        }
    }
    return received;
}

class ClassroomSockets : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override
    {
        sockets_.Close();
        WSACleanup();
    }
    void Open(const char* adapter = "0.0.0.0")
    {
        ASSERT_TRUE(sockets_.Open(window_.Handle(), kMainPort, inet_addr(kClassroomGroup), adapter));
    }
    // A student PC's socket on the classroom group and port.
    void JoinClassroom(CMulticastSocket& student)
    {
        ASSERT_EQ(student.Create(inet_addr(kClassroomGroup), htons(kMainPort + 10), nullptr, 1), 1);
        ASSERT_EQ(student.JoinGroup(nullptr, 1), 1);
    }

    Window window_;
    CClassroomSockets sockets_;
};

TEST_F(ClassroomSockets, EachSignalGoesOutTenTimesWithTheNextSequence)
{
    CMulticastSocket joiner;
    ASSERT_EQ(joiner.Create(inet_addr(kq::kClassroomSignalGroup), htons(kq::kClassroomSignalPort), nullptr, 1), 1);
    ASSERT_EQ(joiner.JoinGroup(nullptr, 1), 1);
    Open();

    ClassroomSignalSequence = 0;
    sockets_.SendSignal(1, 5);
    sockets_.SendSignal(0, 5);
    ClassroomSignalSequence = 0xFFFF;
    sockets_.SendSignal(1, 5);

    const std::vector<std::string> received = Drain(joiner);
    ASSERT_EQ(received.size(), 30u);
    const std::string expected[] = {std::string("\x01\x05\x01\x00", 4), std::string("\x00\x05\x02\x00", 4),
                                    std::string("\x01\x05\x00\x00", 4)};
    for (size_t i = 0; i < received.size(); ++i)
        EXPECT_EQ(received[i], expected[i / 10]) << "datagram " << i;

    kq::ClassroomSignalFilter filter;
    int accepted = 0;
    for (const std::string& d : received) {
        kq::DecodedClassroomSignal signal;
        accepted += filter.Accept(reinterpret_cast<const uint8_t*>(d.data()), d.size(), signal);
    }
    EXPECT_EQ(accepted, 3) << "a joiner carries out each signal once";
}

struct ArrivalCase {
    const char* name;
    std::string bytes;
    kq::ClassroomPortDatagram kind;
};

TEST_F(ClassroomSockets, StudentsDatagramsAreClassifiedOnArrival)
{
    Open();
    CMulticastSocket student;
    JoinClassroom(student);
    const ArrivalCase cases[] = {
        {"join notice", std::string("\x03\x00\x07\x01", 4), kq::ClassroomPortDatagram::JoinNotice},
        {"link-list request", std::string(8, '\0'), kq::ClassroomPortDatagram::LinkListRequest},
        {"5 bytes", std::string(5, '\0'), kq::ClassroomPortDatagram::Other},
        {"kind 19", std::string("\x13\0\0\0\0\0\0\0", 8), kq::ClassroomPortDatagram::Other},
    };
    for (const ArrivalCase& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD sent = 0;
        ASSERT_EQ(student.SendTo(c.bytes.data(), static_cast<int>(c.bytes.size()), &sent, 1), 1);
        ASSERT_TRUE(window_.WaitForRead());
        CClassroomSockets::Datagram datagram;
        ASSERT_TRUE(sockets_.Receive(datagram));
        EXPECT_EQ(datagram.kind, c.kind);
        if (c.kind == kq::ClassroomPortDatagram::JoinNotice) {
            EXPECT_EQ(datagram.notice.channel, 3);
            EXPECT_EQ(datagram.notice.seat, 7);
            EXPECT_EQ(datagram.notice.joined, 1);
        }
    }
    Drain(student); // the student's own sends loop back to it
    CClassroomSockets::Datagram none;
    EXPECT_FALSE(sockets_.Receive(none)) << "nothing left: the receive fails";
}

TEST_F(ClassroomSockets, LinkListDatagramsReachTheClassroom)
{
    Open();
    CMulticastSocket student;
    JoinClassroom(student);
    const char entry[512] = "\x14\0\0\0http://example";
    EXPECT_EQ(sockets_.SendToClassroom(entry, sizeof entry), 512);
    const std::vector<std::string> received = Drain(student);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], std::string(entry, sizeof entry));
}

TEST_F(ClassroomSockets, SendingInterfaceSetOnlyForANamedAdapter)
{
    struct Case {
        const char* adapter;
        uint32_t expected;
    };
    for (const Case& c : {Case{"0.0.0.0", 0}, Case{"198.18.0.1", inet_addr("198.18.0.1")}}) {
        SCOPED_TRACE(c.adapter);
        Open(c.adapter);
        for (SOCKET s : {sockets_.ClassroomSocket(), sockets_.SignalSocket()}) {
            in_addr outgoing{};
            int size = sizeof outgoing;
            ASSERT_EQ(getsockopt(s, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<char*>(&outgoing), &size), 0);
            EXPECT_EQ(outgoing.s_addr, c.expected);
        }
        sockets_.Close();
    }
}

TEST_F(ClassroomSockets, AnAdapterThatIsNotThereFailsTheOpen)
{
    EXPECT_FALSE(sockets_.Open(window_.Handle(), kMainPort, inet_addr(kClassroomGroup), "198.18.9.9"));
    EXPECT_EQ(sockets_.SignalSocket(), INVALID_SOCKET);
}

} // namespace
