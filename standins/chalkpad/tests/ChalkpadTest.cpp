// Chalkpad.exe opened the way the teacher program opens it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kWaitMs = 15000;
constexpr INT_PTR kShellSuccessAbove = 32;

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Chalkpad, OpensAWhiteboardWindowThatClosesNormally)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string trace = std::string(temp) + "chalkpad-trace-" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetEnvironmentVariableA("KQ_TRACE", trace.c_str());
    const std::string program = ProgramFolder() + "Chalkpad.exe";
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = "open";
    run.lpFile = program.c_str();
    run.nShow = SW_SHOWNORMAL;

    ASSERT_TRUE(ShellExecuteExA(&run));
    EXPECT_GT(reinterpret_cast<INT_PTR>(run.hInstApp), kShellSuccessAbove);

    HWND board = nullptr;
    for (DWORD start = GetTickCount(); !board && GetTickCount() - start < kWaitMs; Sleep(50))
        board = FindWindowA("ChalkpadBoard", "电子白板");
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(IsWindowVisible(board));
    PostMessageA(board, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(run.hProcess, kWaitMs), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(run.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(run.hProcess);
    EXPECT_EQ(ReadText(trace), "Chalkpad start program=" + program + "\n");
    SetEnvironmentVariableA("KQ_TRACE", nullptr);
    DeleteFileA(trace.c_str());
}

} // namespace
