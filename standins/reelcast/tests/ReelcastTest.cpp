// Reelcast.exe started as the teacher's video broadcast dialog starts it,
// spoken to with the dialog's datagrams on the private network.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ChannelAnnounce.h"
#include "common/ChannelWithdraw.h"
#include "common/VideoChannelCommand.h"
#include "common/VodCommandDatagram.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace kq;
using namespace kq::standin;

constexpr char kTitle[] = "“晨星”视频广播服务器";
constexpr char kGroup[] = "227.1.3.7";
constexpr int kClassroom = 2;
constexpr u_short kAnnouncePort = 8600 + kClassroom;
constexpr u_short kCommandPort = 8601 + kClassroom;
constexpr DWORD kWaitMs = 10000;

// A listener on one group and port, as the teacher's dialog and the channel receivers listen.
class Listener {
public:
    Listener(const char* group, u_short port)
    {
        socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        BOOL reuse = TRUE;
        setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(port);
        bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local);
        ip_mreq join{};
        join.imr_multiaddr.s_addr = inet_addr(group);
        setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join), sizeof join);
        target_ = local;
        target_.sin_addr.s_addr = inet_addr(group);
    }
    ~Listener() { closesocket(socket_); }

    void Send(const void* data, int size, u_short port)
    {
        sockaddr_in to = target_;
        to.sin_port = htons(port);
        sendto(socket_, static_cast<const char*>(data), size, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    // The next datagram of kind 3 or 4 (queries and commands come back from the group too).
    std::vector<uint8_t> Next()
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs;) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(socket_, &set);
            timeval wait{0, 100000};
            if (select(0, &set, nullptr, nullptr, &wait) != 1)
                continue;
            uint8_t data[1024];
            const int n = recv(socket_, reinterpret_cast<char*>(data), sizeof data, 0);
            if (n > 0 && (data[0] == kChannelAnnounceKind || data[0] == kChannelWithdrawKind))
                return std::vector<uint8_t>(data, data + n);
        }
        return {};
    }
    ChannelAnnounceFields NextAnnounce()
    {
        const std::vector<uint8_t> d = Next();
        ChannelAnnounceFields fields;
        EXPECT_TRUE(ParseChannelAnnounce(d.data(), d.size(), fields));
        return fields;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    sockaddr_in target_{};
};

class Reelcast : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    // Starts the server with the command line the teacher's dialog builds.
    HWND Start()
    {
        const uint32_t group = inet_addr(kGroup);
        int32_t asInteger;
        std::memcpy(&asInteger, &group, sizeof asInteger);
        EXPECT_TRUE(server_.Start(ProgramFolder() + "Reelcast.exe " + std::to_string(asInteger) + " " +
                                      std::to_string(kClassroom),
                                  STARTF_FORCEOFFFEEDBACK));
        return WaitForWindow(nullptr, kTitle, kWaitMs);
    }
    DWORD WaitForExit() { return server_.WaitForExit(kWaitMs); }

    const TraceFile trace_{UniqueTempPath("reelcast-trace", ".txt")};
    ChildProcess server_;
};

void Command(Listener& via, uint8_t kind, const char* name, const char* file = "")
{
    const VideoChannelCommand command = MakeVideoChannelCommand(kind, name, file);
    via.Send(&command, sizeof command, kCommandPort);
}

TEST_F(Reelcast, AnnouncesAddedChannelsAndTheirStatesAndWithdrawsThem)
{
    Listener classroom(kGroup, kAnnouncePort);
    Listener receivers("226.1.1.1", 8600);
    HWND window = Start();
    ASSERT_NE(window, nullptr) << "the teacher finds the server by this title";

    Command(classroom, kVideoChannelAdd, "电影", "C:\\video\\a.mpg");
    ChannelAnnounceFields added = classroom.NextAnnounce();
    EXPECT_EQ(added.name, "电影");
    EXPECT_EQ(added.value, 1u);
    EXPECT_EQ(added.state, kChannelStopped);
    EXPECT_EQ(receivers.NextAnnounce().name, "电影") << "the channel receivers' group hears it too";

    const VodCommandDatagram play{kVodCommandKind, kVodCommandPlay, 1};
    classroom.Send(&play, sizeof play, kAnnouncePort);
    ChannelAnnounceFields playing = classroom.NextAnnounce();
    EXPECT_EQ(playing.state, kChannelPlaying);
    EXPECT_EQ(playing.value, 1u);

    Command(classroom, kVideoChannelAdd, "Talk", "C:\\video\\b.mpg");
    EXPECT_EQ(classroom.NextAnnounce().value, 2u);
    const uint8_t query = 1;
    classroom.Send(&query, 1, kAnnouncePort);
    EXPECT_EQ(classroom.NextAnnounce().name, "电影");
    EXPECT_EQ(classroom.NextAnnounce().name, "Talk");

    Command(classroom, kVideoChannelRemove, "TALK");
    const std::vector<uint8_t> withdrawal = classroom.Next();
    std::string name;
    ASSERT_TRUE(ParseChannelWithdraw(withdrawal.data(), withdrawal.size(), name));
    EXPECT_EQ(name, "Talk");

    PostMessageA(window, WM_CLOSE, 0, 0);
    const std::vector<uint8_t> last = classroom.Next();
    ASSERT_TRUE(ParseChannelWithdraw(last.data(), last.size(), name)) << "closing withdraws what is left";
    EXPECT_EQ(name, "电影");
    EXPECT_EQ(WaitForExit(), 0u);

    const std::string trace = trace_.Read();
    EXPECT_NE(trace.find("Reelcast start group=227.1.3.7 classroom=2\n"), std::string::npos);
    EXPECT_NE(trace.find("Reelcast add name=电影 file=C:\\video\\a.mpg value=1\n"), std::string::npos);
    EXPECT_NE(trace.find("Reelcast command value=1 command=1\n"), std::string::npos);
    EXPECT_NE(trace.find("Reelcast query\n"), std::string::npos);
    EXPECT_NE(trace.find("Reelcast remove name=TALK\n"), std::string::npos);
}

} // namespace
