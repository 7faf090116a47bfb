// Castview.exe installed beside the player and driven from outside, with
// Reelcast serving a classroom's channels on the test's private network.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ChannelJoinNotice.h"
#include "common/ChannelQuery.h"
#include "common/StudentIni.h"
#include "common/VideoChannelCommand.h"
#include "common/VodCommandDatagram.h"
#include "standins/common/tests/ProgramInstall.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "teacher/tests/RemoteListView.h"
#include "widgets/tests/LayoutCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace kq;
using namespace kq::standin;

constexpr char kTitle[] = "“晨星”视频播放接收器";
constexpr char kPlayerTitle[] = "晨星放映";
constexpr char kBase[] = "227.1.1.7";
constexpr char kClassroomGroup[] = "227.1.3.7"; // classroom 2
constexpr int kClassroom = 2;
constexpr u_short kMainPort = 5000;
constexpr u_short kNoticePort = kMainPort + 10;
constexpr u_short kClassroomChannelPort = 8600 + kClassroom;
constexpr u_short kCommandPort = 8601 + kClassroom;
constexpr UINT kListId = 10;
constexpr UINT kCloseId = 101;
constexpr DWORD kWaitMs = 20000;
// The window takes the size of its background.
constexpr LONG kBackgroundWidth = 350;
constexpr LONG kBackgroundHeight = 240;

// A member of one group and port that reads what arrives.
class GroupSocket {
public:
    GroupSocket(const char* group, u_short port)
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
        group_ = inet_addr(group);
    }
    ~GroupSocket() { closesocket(socket_); }

    void Send(const void* data, int size, u_short port)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = group_;
        to.sin_port = htons(port);
        sendto(socket_, static_cast<const char*>(data), size, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    // The datagrams that arrive within `ms` for which `keep` holds.
    template <typename Keep>
    std::vector<std::vector<uint8_t>> Collect(DWORD ms, Keep keep, size_t enough = SIZE_MAX)
    {
        std::vector<std::vector<uint8_t>> kept;
        for (DWORD start = GetTickCount(); GetTickCount() - start < ms && kept.size() < enough;) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(socket_, &set);
            timeval wait{0, 50000};
            if (select(0, &set, nullptr, nullptr, &wait) != 1)
                continue;
            uint8_t data[2048];
            const int n = recv(socket_, reinterpret_cast<char*>(data), sizeof data, 0);
            if (n > 0 && keep(data, n))
                kept.emplace_back(data, data + n);
        }
        return kept;
    }
    // Join notices (4 bytes) with `joined`, until `count` or the time is up.
    std::vector<ChannelJoinNotice> Notices(bool joined, size_t count, DWORD ms = kWaitMs)
    {
        std::vector<ChannelJoinNotice> notices;
        for (const auto& d : Collect(
                 ms, [&](const uint8_t* p, int n) { return n == 4 && (p[3] != 0) == joined; }, count)) {
            ChannelJoinNotice notice{};
            ParseChannelJoinNotice(d.data(), d.size(), notice);
            notices.push_back(notice);
        }
        return notices;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    uint32_t group_ = 0;
};

// The teacher's side: Reelcast for classroom 2, spoken to on the classroom group.
class ChannelServer {
public:
    ChannelServer() : classroom_(kClassroomGroup, kClassroomChannelPort)
    {
        const uint32_t group = inet_addr(kClassroomGroup);
        int32_t asInteger;
        std::memcpy(&asInteger, &group, sizeof asInteger);
        started_ = server_.Start(ProgramFolder() + "Reelcast.exe " + std::to_string(asInteger) + " " +
                                     std::to_string(kClassroom),
                                 STARTF_FORCEOFFFEEDBACK) &&
                   WaitForWindow(nullptr, "“晨星”视频广播服务器", kWaitMs) != nullptr;
    }
    bool Started() const { return started_; }
    void Add(const char* name)
    {
        const VideoChannelCommand command = MakeVideoChannelCommand(kVideoChannelAdd, name, "C:\\video\\a.mpg");
        classroom_.Send(&command, sizeof command, kCommandPort);
    }
    void Play(uint16_t channel)
    {
        const VodCommandDatagram play{kVodCommandKind, kVodCommandPlay, channel};
        classroom_.Send(&play, sizeof play, kClassroomChannelPort);
    }

private:
    GroupSocket classroom_;
    ChildProcess server_;
    bool started_ = false;
};

class Castview : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    void SetUp() override
    {
        install_.CopyIn("castview-test\\Castview.exe", "Castview.exe");
        install_.CopyIn("Vidspool.exe", "Vidspool.exe");
        SetMachineString(kStudentRegistryKey, "Path", install_.Folder());
        WriteIni(install_.PathOf("student.ini"));
        WriteIni(install_.PathOf(ReadHostName() + ".ini"));
        ASSERT_TRUE(server_.Started());
    }
    void TearDown() override
    {
        if (HWND player = FindWindowA(nullptr, kPlayerTitle))
            PostMessageA(player, WM_CLOSE, 0, 0);
        WaitFor([] { return FindWindowA(nullptr, kPlayerTitle) == nullptr; }, kWaitMs);
    }
    static void WriteIni(const std::string& path)
    {
        std::ofstream ini(path);
        ini << "[NETWORK]\nMainPort=" << kMainPort << "\nMulti_MainIP=" << kBase << "\n[Ver]\nClassroomID=" << kClassroom
            << "\n";
    }
    HWND Window() { return WaitForProcessWindow(install_.ProcessId(), [](HWND w) { return IsTitled(w, kTitle); }); }
    static bool IsTitled(HWND window, const char* title)
    {
        char text[128] = {};
        GetWindowTextA(window, text, sizeof text);
        return std::strcmp(text, title) == 0;
    }
    static bool WaitForRows(kqtest::RemoteListView& list, int rows)
    {
        return WaitFor([&] { return list.Count() == rows; }, kWaitMs);
    }

    ChannelServer server_;
    ProgramInstall install_{"castview", "Castview.exe"};
    GroupSocket notices_{kClassroomGroup, kNoticePort};
};

TEST_F(Castview, ListsTheFixedGroupsChannelsRefreshesOnEscAndEndsByTheCloseButton)
{
    server_.Add("电影");
    server_.Play(1);
    ASSERT_TRUE(install_.Start());
    HWND window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, kWaitMs));
    HWND listWindow = GetDlgItem(window, kListId);
    kqtest::RemoteListView list(listWindow);
    ASSERT_TRUE(WaitForRows(list, 1)) << "the query at start brings the playing channel";
    const auto rows = list.Rows(2);
    EXPECT_EQ(rows[0][0], "电影");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kBackgroundWidth);
    EXPECT_EQ(client.bottom, kBackgroundHeight);
    for (const std::string& fault : kqtest::LayoutFaults(window))
        ADD_FAILURE() << fault;
    EXPECT_TRUE(kqtest::SaveScreenShot(window, "castview"));
    EXPECT_EQ(rows[0][1].rfind("198.18.", 0), 0u) << "the server's address: " << rows[0][1];

    PostMessageA(listWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return list.Count() == 0; }, kWaitMs) || list.Count() == 1);
    EXPECT_TRUE(WaitForRows(list, 1)) << "the server's answer brings the row back";
    EXPECT_TRUE(IsWindow(window)) << "Esc does not close the receiver";

    DWORD second = 0;
    EXPECT_TRUE(install_.SecondCopyEnds(second)) << "a second copy only brings the first forward";

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kCloseId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, kCloseId)));
    EXPECT_TRUE(install_.WaitForExit());
}

TEST_F(Castview, PlayHandsTheChannelToThePlayerAndTellsTheSeatMap)
{
    server_.Add("电影");
    server_.Play(1);
    ASSERT_TRUE(install_.Start());
    HWND window = Window();
    ASSERT_NE(window, nullptr);
    HWND listWindow = GetDlgItem(window, kListId);
    kqtest::RemoteListView list(listWindow);
    ASSERT_TRUE(WaitForRows(list, 1));
    const std::string server = list.Text(0, 1);
    list.Select(0);
    PostMessageA(listWindow, WM_KEYDOWN, VK_RETURN, 0);

    const auto joined = notices_.Notices(true, 7);
    ASSERT_EQ(joined.size(), 7u);
    for (const ChannelJoinNotice& notice : joined) {
        EXPECT_EQ(notice.channel, 1);
        EXPECT_EQ(notice.seat, 0) << "no command line: seat 0";
    }
    HWND player = WaitForWindow(nullptr, kPlayerTitle, kWaitMs);
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(WaitFor([&] { return install_.Traced("Vidspool channel caller=receiver"); }, kWaitMs));
    const std::string trace = install_.Trace();
    EXPECT_NE(trace.find("Vidspool start arguments=接收.dat@HIDE"), std::string::npos) << trace;
    EXPECT_NE(trace.find("origin=" + server + " channel=1 "), std::string::npos) << trace;

    PostMessageA(player, WM_CLOSE, 0, 0);
    const auto left = notices_.Notices(false, 7);
    EXPECT_EQ(left.size(), 7u) << "the seat stops watching when the player ends";
    EXPECT_TRUE(install_.Running()) << "the interactive receiver stays";

    list.DoubleClick(0);
    EXPECT_EQ(notices_.Notices(true, 7).size(), 7u) << "a double-click plays too";
    player = WaitForWindow(nullptr, kPlayerTitle, kWaitMs);
    ASSERT_NE(player, nullptr);
    PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(notices_.Notices(false, 7).size(), 7u);
}

TEST_F(Castview, AutomaticStartPlaysTheNamedChannelAfterTheSeatsDelayAndEnds)
{
    install_.SetArguments("12 电影");
    ASSERT_TRUE(install_.Start({"KQ_TEST_DRIVE=network"}));
    HWND window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    // Announced stopped: it is played all the same.
    server_.Add("电影");
    const DWORD announced = GetTickCount();
    const auto joined = notices_.Notices(true, 1);
    const DWORD delay = GetTickCount() - announced;
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].seat, 12);
    EXPECT_GE(delay, 1800u) << "seats 10 to 14 start two seconds after the announcement";
    EXPECT_FALSE(IsWindowVisible(window)) << "never shown";
    EXPECT_TRUE(install_.WaitForExit()) << "it ends once the player has taken the channel";
    EXPECT_NE(WaitForWindow(nullptr, kPlayerTitle, kWaitMs), nullptr) << "the player keeps running";
}

TEST_F(Castview, AutomaticStartAsksEverySecondForAChannelNeverAnnounced)
{
    GroupSocket channels(kClassroomGroup, kClassroomChannelPort);
    install_.SetArguments("3 无此频道");
    ASSERT_TRUE(install_.Start());
    const auto queries =
        channels.Collect(3500, [](const uint8_t* p, int n) { return n == 1 && p[0] == kChannelQueryKind; });
    EXPECT_GE(queries.size(), 3u) << "one at start, then one a second";
    EXPECT_TRUE(install_.Running());

    // WM_USER + 79 to the receiver's thread closes a receiver started with a command line.
    HWND window = Window();
    ASSERT_NE(window, nullptr);
    PostThreadMessageA(GetWindowThreadProcessId(window, nullptr), WM_USER + 79, 0, 0);
    EXPECT_TRUE(install_.WaitForExit());
}

TEST_F(Castview, AutomaticStartEndsWhenThePlayerRunsOrIsMissing)
{
    {
        ChildProcess player;
        ASSERT_TRUE(player.Start("\"" + install_.PathOf("Vidspool.exe") + "\""));
        ASSERT_NE(WaitForWindow(nullptr, kPlayerTitle, kWaitMs), nullptr);
        install_.SetArguments("1 电影");
        ASSERT_TRUE(install_.Start());
        EXPECT_TRUE(install_.WaitForExit()) << "a running player ends the receiver at once";
        PostMessageA(FindWindowA(nullptr, kPlayerTitle), WM_CLOSE, 0, 0);
        EXPECT_EQ(player.WaitForExit(kWaitMs), 0u);
    }
    DeleteFileA(install_.PathOf("Vidspool.exe").c_str());
    server_.Add("电影");
    install_.SetArguments("1 电影");
    ASSERT_TRUE(install_.Start());
    EXPECT_TRUE(install_.WaitForExit()) << "without a player the automatic start ends instead of hiding forever";
    EXPECT_TRUE(notices_.Notices(true, 1, 500).empty()) << "nothing is announced for a player never started";
}

} // namespace
