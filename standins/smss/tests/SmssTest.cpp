// Smss.exe opened the way the classroom joiner opens it: it must start the
// Student.exe of its own folder. A copy of the whiteboard stands in for the
// agent here; its trace line names the program that was started.

#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace kq::standin;

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
        CopyFileA((ProgramFolder() + "Smss.exe").c_str(), (install_ / "Smss.exe").c_str(), FALSE);
    }
    // Opens install folder + "\Smss.exe" with the shell and returns its exit code.
    DWORD RunLauncher()
    {
        ChildProcess launcher;
        launcher.ShellOpen(install_ / "Smss.exe");
        return launcher.WaitForExit();
    }

    const TempFolder install_{"smss-学生"};
    const TraceFile trace_{install_ / "trace.txt"};
};

TEST_F(Smss, StartsTheStudentAgentOfItsOwnFolder)
{
    CopyFileA((ProgramFolder() + "Chalkpad.exe").c_str(), (install_ / "Student.exe").c_str(), FALSE);

    EXPECT_EQ(RunLauncher(), 0u);

    // Other tests may run whiteboards of their own: take the one started from here.
    HWND agent = nullptr;
    for (DWORD start = GetTickCount(); !agent && GetTickCount() - start < kProgramWaitMs; Sleep(50))
        agent = FindWindowOfProgram("ChalkpadBoard", install_ / "Student.exe");
    ASSERT_NE(agent, nullptr) << "the stand-in agent runs";
    DWORD agentProcess = 0;
    GetWindowThreadProcessId(agent, &agentProcess);
    PostMessageA(agent, WM_CLOSE, 0, 0);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, agentProcess);
    WaitForSingleObject(process, kProgramWaitMs);
    CloseHandle(process);
    const std::string trace = trace_.Read();
    EXPECT_NE(trace.find("Smss start agent=" + install_.Path() + "\\Student.exe result=started\n"), std::string::npos);
    EXPECT_NE(trace.find("Chalkpad start program=" + install_.Path() + "\\Student.exe\n"), std::string::npos);
}

TEST_F(Smss, ReportsAMissingAgent)
{
    EXPECT_EQ(RunLauncher(), 1u);
    EXPECT_EQ(trace_.Read(), "Smss start agent=" + install_.Path() + "\\Student.exe result=failed\n");
}

} // namespace
