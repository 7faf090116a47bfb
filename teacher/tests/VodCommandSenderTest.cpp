// The player commands: datagrams to the channel server's port, and the
// hand-off of a file to the Vidspool stand-in.

#include "teacher/VodCommandSender.h"

#include "common/MulticastSocket.h"
#include "common/VodChannelBlock.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using kq::standin::ProgramFolder;
using kq::standin::TraceFile;
using kq::standin::UniqueTempPath;

constexpr char kGroup[] = "227.1.4.7";
constexpr uint16_t kPort = 8604; // 8600 + classroom 4
constexpr char kPlayerClass[] = "Velmora2000IISth";
constexpr char kPlayerTitle[] = "晨星放映";
// Datagrams and their pauses take a little over 100 ms: "at once" leaves room for Wine.
constexpr DWORD kAtOnceMs = 3000;

std::vector<std::string> Drain(CMulticastSocket& socket, DWORD quietMs = 300)
{
    std::vector<std::string> received;
    char buffer[64];
    for (DWORD last = GetTickCount(); GetTickCount() - last < quietMs; Sleep(2)) {
        DWORD length = 0;
        while (socket.RecvFrom(buffer, sizeof buffer, &length)) {
            received.emplace_back(buffer, length);
            last = GetTickCount();
        }
    }
    return received;
}

// Closes the player window that `SendVodCommand` started and waits for its process.
void ClosePlayer()
{
    HWND player = kq::standin::WaitForWindow(kPlayerClass, kPlayerTitle);
    ASSERT_NE(player, nullptr);
    DWORD id = 0;
    GetWindowThreadProcessId(player, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageA(player, WM_CLOSE, 0, 0);
    if (process != nullptr) {
        EXPECT_EQ(WaitForSingleObject(process, kq::standin::kProgramWaitMs), WAIT_OBJECT_0);
        CloseHandle(process);
    }
}

bool EventExists()
{
    HANDLE e = OpenEventA(SYNCHRONIZE, FALSE, kq::kVodPlayerTookEvent);
    if (e == nullptr)
        return false;
    CloseHandle(e);
    return true;
}

class VodCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
        ASSERT_EQ(server_.Create(inet_addr(kGroup), htons(kPort), nullptr, 1), 1);
        ASSERT_EQ(server_.JoinGroup(nullptr, 1), 1);
    }
    void TearDown() override
    {
        server_.Close();
        WSACleanup();
    }
    // Runs the command; its result, and the time it took in `elapsed`.
    int Send(const char* command, DWORD& elapsed, const std::string* folder = nullptr)
    {
        const VodCommandArgs args{"第三频道", 3, inet_addr(kGroup), kPort, command};
        const DWORD start = GetTickCount();
        const int result = folder ? kq::SendVodCommandFrom(args, *folder) : SendVodCommand(&args);
        elapsed = GetTickCount() - start;
        return result;
    }

    const TraceFile trace_{UniqueTempPath("vod-command-trace", ".txt")};
    CMulticastSocket server_; // the channel server's port
};

struct WordCase {
    const char* command;
    int32_t number;
};

TEST_F(VodCommand, ControlWordsGoOutFiveTimesAndNoPlayerStarts)
{
    for (const WordCase& c : {WordCase{"/PLAY", 1}, WordCase{"/Pause", 2}, WordCase{"/start", 5}}) {
        SCOPED_TRACE(c.command);
        DWORD elapsed = 0;
        EXPECT_EQ(Send(c.command, elapsed), 0);
        const std::vector<std::string> received = Drain(server_);
        ASSERT_EQ(received.size(), 5u);
        for (const std::string& d : received) {
            ASSERT_EQ(d.size(), 12u);
            int32_t fields[3];
            std::memcpy(fields, d.data(), sizeof fields);
            EXPECT_EQ(fields[0], 6);
            EXPECT_EQ(fields[1], c.number);
            EXPECT_EQ(fields[2], 3);
        }
    }
    EXPECT_EQ(trace_.Read().find("Vidspool"), std::string::npos);
}

TEST_F(VodCommand, AFileIsHandedToThePlayerWhichTakesItAtOnce)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send("play.avi", elapsed), 0);
    EXPECT_LT(elapsed, kq::standin::kProgramWaitMs) << "the player's event ends the wait";
    EXPECT_EQ(Drain(server_).size(), 5u);
    const std::string trace = trace_.Read();
    EXPECT_NE(trace.find("Vidspool start arguments=控制.dat\n"), std::string::npos) << trace;
    // Offsets 40-42 as the player reads them: port = 22 | 1 << 8, flag 0x20.
    EXPECT_NE(trace.find("Vidspool channel caller=teacher origin=第三频道 channel=3 port=278 flag=32\n"),
              std::string::npos)
        << trace;
    EXPECT_FALSE(EventExists()) << "closed after the hand-off";
    ClosePlayer();
}

TEST_F(VodCommand, AnotherLetterGivesTheOtherTail)
{
    DWORD elapsed = 0;
    EXPECT_EQ(Send("movie.avi", elapsed), 0);
    EXPECT_NE(trace_.Read().find("origin=第三频道 channel=3 port=22 flag=240\n"), std::string::npos) << trace_.Read();
    ClosePlayer();
}

TEST_F(VodCommand, WithThePlayerWindowPresentOnlyTheDatagramsGoOut)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPlayerClass;
    RegisterClassA(&wc);
    HWND player = CreateWindowExA(0, kPlayerClass, kPlayerTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(player, nullptr);
    DWORD elapsed = 0;
    EXPECT_EQ(Send("play.avi", elapsed), 0);
    DestroyWindow(player);
    UnregisterClassA(kPlayerClass, wc.hInstance);
    EXPECT_LT(elapsed, kAtOnceMs);
    EXPECT_EQ(Drain(server_).size(), 5u);
    EXPECT_EQ(trace_.Read().find("Vidspool"), std::string::npos);
}

TEST_F(VodCommand, ASecondHandOffDuringTheFirstReturnsAtOnce)
{
    HANDLE first = CreateEventA(nullptr, FALSE, FALSE, kq::kVodPlayerTookEvent);
    ASSERT_NE(first, nullptr);
    DWORD elapsed = 0;
    EXPECT_EQ(Send("play.avi", elapsed), 0);
    CloseHandle(first);
    EXPECT_LT(elapsed, kAtOnceMs);
    EXPECT_EQ(Drain(server_).size(), 5u);
    EXPECT_EQ(trace_.Read().find("Vidspool"), std::string::npos);
}

TEST_F(VodCommand, AMissingPlayerFailsAtOnceAndLeavesNothingOpen)
{
    const kq::standin::TempFolder empty("vod-no-player");
    const std::string folder = empty.Path() + "\\";
    DWORD elapsed = 0;
    EXPECT_EQ(Send("play.avi", elapsed, &folder), kVodSendFailed);
    EXPECT_LT(elapsed, kAtOnceMs);
    EXPECT_EQ(Drain(server_).size(), 5u) << "the command itself went out";
    EXPECT_FALSE(EventExists());
    HANDLE block = OpenFileMappingA(FILE_MAP_READ, FALSE, kq::kVodChannelBlockName);
    EXPECT_EQ(block, nullptr);
    if (block != nullptr)
        CloseHandle(block);
}

TEST_F(VodCommand, ABlockThatCannotBeMadeIsNotWrittenAndNoPlayerStarts)
{
    // Another kind of object holds the block's name: the mapping cannot be made.
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kq::kVodChannelBlockName);
    ASSERT_NE(squatter, nullptr);
    DWORD elapsed = 0;
    EXPECT_EQ(Send("play.avi", elapsed), kVodSendFailed);
    CloseHandle(squatter);
    EXPECT_LT(elapsed, kAtOnceMs);
    EXPECT_FALSE(EventExists()) << "the hand-off's event is closed again";
    EXPECT_EQ(trace_.Read().find("Vidspool"), std::string::npos);
}

TEST_F(VodCommand, APortThatCannotBeBoundFailsBeforeSending)
{
    // A socket without SO_REUSEADDR holding the port keeps the sender's bind out.
    SOCKET holder = socket(AF_INET, SOCK_DGRAM, 0);
    const BOOL exclusive = TRUE;
    setsockopt(holder, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPort + 1);
    ASSERT_EQ(bind(holder, reinterpret_cast<const sockaddr*>(&local), sizeof local), 0);
    const VodCommandArgs args{"x", 1, inet_addr(kGroup), static_cast<uint16_t>(kPort + 1), "/stop"};
    EXPECT_EQ(SendVodCommand(&args), kVodSendFailed);
    closesocket(holder);
    EXPECT_EQ(SendVodCommand(nullptr), kVodSendFailed);
}

} // namespace
