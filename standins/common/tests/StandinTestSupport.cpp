#include "standins/common/tests/StandinTestSupport.h"

#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "standins/common/Trace.h"

namespace kq::standin {

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kTerminatedCode = 2;
// ShellExecute reports success with an instance value above this.
constexpr INT_PTR kShellSuccessAbove = 32;

std::string ReadStream(std::ifstream& in)
{
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The C runtime's copy serves libraries loaded here, the process block the
// programs started from here.
void SetTraceVariable(const char* value)
{
    _putenv_s(kTraceVariable, value ? value : "");
    SetEnvironmentVariableA(kTraceVariable, value);
}

} // namespace

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program = path;
    return program.substr(0, program.rfind('\\') + 1);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    return ReadStream(in);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ReadStream(in);
}

std::string UniqueTempPath(const std::string& stem, const std::string& suffix)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + stem + "-" + std::to_string(GetCurrentProcessId()) + suffix;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string inside = path + "\\" + name;
            SetFileAttributesA(inside.c_str(), FILE_ATTRIBUTE_NORMAL); // read-only files too
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(inside);
            else
                DeleteFileA(inside.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

TraceFile::TraceFile(std::string path) : path_(std::move(path))
{
    DeleteFileA(path_.c_str());
    SetTraceVariable(path_.c_str());
}

TraceFile::~TraceFile()
{
    SetTraceVariable(nullptr);
    DeleteFileA(path_.c_str());
}

TempFolder::TempFolder(const std::string& stem) : path_(UniqueTempPath(stem))
{
    RemoveTree(path_); // left over by a run that died
    CreateDirectoryA(path_.c_str(), nullptr);
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        // A window is listed from inside its creation on; shown, it is whole.
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, windowClass, title)) != nullptr;)
            if (IsWindowVisible(window))
                return window;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
    }
}

std::vector<HWND> ProcessWindows(DWORD processId, const std::function<bool(HWND)>& match)
{
    struct Search {
        DWORD processId;
        const std::function<bool(HWND)>& match;
        std::vector<HWND> found;
    } search{processId, match, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && s->match(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        const std::vector<HWND> found = ProcessWindows(processId, match);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
    }
}

ChildProcess::~ChildProcess()
{
    if (process_ == nullptr)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_, kTerminatedCode);
    CloseHandle(process_);
}

bool ChildProcess::Start(std::string commandLine, DWORD startupFlags)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = startupFlags;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        nullptr, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    return true;
}

bool ChildProcess::ShellOpen(const std::string& program)
{
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = "open";
    run.lpFile = program.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&run))
        return false;
    process_ = run.hProcess;
    return reinterpret_cast<INT_PTR>(run.hInstApp) > kShellSuccessAbove && process_ != nullptr;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_, &code);
    return code;
}

} // namespace kq::standin
