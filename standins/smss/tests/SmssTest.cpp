// Smss.exe opened the way the classroom joiner opens it: it must start the
// Student.exe of its own folder. A copy of the whiteboard stands in for the
// agent here; its trace line names the program that was started.

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

// The top-level window of `windowClass` whose process runs `program`.
HWND FindWindowOfProgram(const char* windowClass, const std::string& program)
{
    for (HWND w = FindWindowExA(nullptr, nullptr, windowClass, nullptr); w;
         w = FindWindowExA(nullptr, w, windowClass, nullptr)) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        if (!process)
            continue;
        char path[MAX_PATH];
        DWORD size = sizeof path;
        const bool match = QueryFullProcessImageNameA(process, 0, path, &size) && lstrcmpiA(path, program.c_str()) == 0;
        CloseHandle(process);
        if (match)
            return w;
    }
    return nullptr;
}

class Smss : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        install_ = std::string(temp) + "smss-学生-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(install_.c_str(), nullptr);
        trace_ = install_ + "\\trace.txt";
        SetEnvironmentVariableA("KQ_TRACE", trace_.c_str());
        CopyFileA((ProgramFolder() + "Smss.exe").c_str(), (install_ + "\\Smss.exe").c_str(), FALSE);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("KQ_TRACE", nullptr);
        for (const char* name : {"\\Smss.exe", "\\Student.exe", "\\trace.txt"})
            DeleteFileA((install_ + name).c_str());
        RemoveDirectoryA(install_.c_str());
    }
    // Opens install folder + "\Smss.exe" with the shell and returns its exit code.
    DWORD RunLauncher()
    {
        const std::string launcher = install_ + "\\Smss.exe";
        SHELLEXECUTEINFOA run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_NOCLOSEPROCESS;
        run.lpVerb = "open";
        run.lpFile = launcher.c_str();
        run.nShow = SW_SHOWNORMAL;
        if (!ShellExecuteExA(&run))
            return STILL_ACTIVE;
        WaitForSingleObject(run.hProcess, kWaitMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(run.hProcess, &code);
        CloseHandle(run.hProcess);
        return code;
    }

    std::string install_;
    std::string trace_;
};

TEST_F(Smss, StartsTheStudentAgentOfItsOwnFolder)
{
    CopyFileA((ProgramFolder() + "Chalkpad.exe").c_str(), (install_ + "\\Student.exe").c_str(), FALSE);

    EXPECT_EQ(RunLauncher(), 0u);

    // Other tests may run whiteboards of their own: take the one started from here.
    HWND agent = nullptr;
    for (DWORD start = GetTickCount(); !agent && GetTickCount() - start < kWaitMs; Sleep(50))
        agent = FindWindowOfProgram("ChalkpadBoard", install_ + "\\Student.exe");
    ASSERT_NE(agent, nullptr) << "the stand-in agent runs";
    DWORD agentProcess = 0;
    GetWindowThreadProcessId(agent, &agentProcess);
    PostMessageA(agent, WM_CLOSE, 0, 0);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, agentProcess);
    WaitForSingleObject(process, kWaitMs);
    CloseHandle(process);
    const std::string trace = ReadText(trace_);
    EXPECT_NE(trace.find("Smss start agent=" + install_ + "\\Student.exe result=started\n"), std::string::npos);
    EXPECT_NE(trace.find("Chalkpad start program=" + install_ + "\\Student.exe\n"), std::string::npos);
}

TEST_F(Smss, ReportsAMissingAgent)
{
    EXPECT_EQ(RunLauncher(), 1u);
    EXPECT_EQ(ReadText(trace_), "Smss start agent=" + install_ + "\\Student.exe result=failed\n");
}

} // namespace
