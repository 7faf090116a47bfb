// Vidspool.exe handed a channel the way the teacher station and the channel
// receiver hand it over.

#include "common/VodChannelBlock.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace kq;
using namespace kq::standin;

constexpr DWORD kWaitMs = kProgramWaitMs;
constexpr UINT kVodChannelEnd = 0x436;

// The player window of process `processId`, once shown: a player left by
// another test must not stand in for the one just started, and a window
// still inside its creation has not made its text child yet.
HWND WaitForPlayer(DWORD processId)
{
    return WaitForProcessWindow(processId, [](HWND window) {
        char className[64] = {};
        char title[64] = {};
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, title, sizeof title);
        return IsWindowVisible(window) && std::strcmp(className, "Velmora2000IISth") == 0 &&
               std::strcmp(title, "晨星放映") == 0;
    }, kWaitMs);
}

std::string ShownText(HWND player)
{
    char text[256] = {};
    GetWindowTextA(GetWindow(player, GW_CHILD), text, sizeof text);
    return text;
}

// The teacher's main window as the player finds it: a top-level window with
// the teacher program's title.
class TeacherWindow {
public:
    TeacherWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VidspoolTestTeacher";
        RegisterClassA(&wc);
        handle_ = CreateWindowExA(0, wc.lpszClassName, "晨星电子教室", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    ~TeacherWindow() { DestroyWindow(handle_); }

    // Pumps messages for `ms` and returns the channel of the last end message (-1: none).
    static long WaitForEnd(DWORD ms)
    {
        ended_ = -1;
        for (DWORD start = GetTickCount(); GetTickCount() - start < ms && ended_ < 0; Sleep(10)) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        return ended_;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kVodChannelEnd) {
            ended_ = static_cast<long>(wParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static inline long ended_ = -1;
    HWND handle_ = nullptr;
};

class Vidspool : public ::testing::Test {
protected:
    void SetUp() override
    {
        taken_ = CreateEventA(nullptr, FALSE, FALSE, kVodPlayerTookEvent);
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(VodChannelBlock),
                                      kVodChannelBlockName);
    }
    void TearDown() override
    {
        CloseHandle(mapping_);
        CloseHandle(taken_);
    }
    void Write(const VodChannelBlock& block)
    {
        void* view = MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof block);
        ASSERT_NE(view, nullptr);
        std::memcpy(view, &block, sizeof block);
        UnmapViewOfFile(view);
    }
    void StartPlayer(const std::string& arguments)
    {
        ASSERT_TRUE(player_.Start("\"" + ProgramFolder() + "Vidspool.exe\" " + arguments));
    }
    DWORD WaitForExit() { return player_.WaitForExit(); }
    HWND WaitForOwnPlayer() { return WaitForPlayer(GetProcessId(player_.Handle())); }

    const TraceFile trace_{UniqueTempPath("vidspool-trace", ".txt")};
    HANDLE taken_ = nullptr;
    HANDLE mapping_ = nullptr;
    ChildProcess player_;
};

TEST_F(Vidspool, TeachersOwnPlayerTakesTheChannelAndReportsItsEnd)
{
    TeacherWindow teacher;
    VodChannelBlock block{};
    std::strcpy(block.origin, "电影");
    block.channel = 3;
    std::strcpy(block.role, kVodRoleTeacher);
    block.port = kVodTeacherMark; // bytes 22 and 0
    block.flag = 0xF0;
    Write(block);

    StartPlayer("控制.dat");

    EXPECT_EQ(WaitForSingleObject(taken_, kWaitMs), WAIT_OBJECT_0) << "the teacher stops waiting";
    HWND player = WaitForOwnPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(ShownText(player), "正在播放频道 3：电影");
    PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(TeacherWindow::WaitForEnd(kWaitMs), 3);
    EXPECT_EQ(WaitForExit(), 0u);
    const std::string trace = trace_.Read();
    EXPECT_NE(trace.find("Vidspool start arguments=控制.dat\n"), std::string::npos);
    EXPECT_NE(trace.find("Vidspool channel caller=teacher origin=电影 channel=3 port=22 flag=240\n"), std::string::npos);
    EXPECT_NE(trace.find("Vidspool end channel=3 teacher=found\n"), std::string::npos);
}

TEST_F(Vidspool, ReceiversPlayerShowsTheServerAndEndsWithoutAMessage)
{
    TeacherWindow teacher;
    VodChannelBlock block{};
    std::strcpy(block.origin, "198.18.1.10");
    block.channel = 5;
    std::strcpy(block.role, kVodRoleReceiver);
    block.port = 9705;
    Write(block);

    StartPlayer(" 接收.dat@HIDE");

    EXPECT_EQ(WaitForSingleObject(taken_, kWaitMs), WAIT_OBJECT_0);
    HWND player = WaitForOwnPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(ShownText(player), "正在接收频道 5，服务器 198.18.1.10，端口 9705");
    PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 0u) << "the channel receiver waits for the process to end";
    EXPECT_EQ(TeacherWindow::WaitForEnd(500), -1);
}

} // namespace
