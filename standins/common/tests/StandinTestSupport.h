#pragma once
// What the stand-ins' tests share: where the built modules lie, reading the
// files a stand-in wrote, pointing the call trace at a file of the test's
// own, temporary folders, waiting for a program's window and driving a child
// process.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kq::standin {

// How long a test waits for a program it started to answer.
inline constexpr DWORD kProgramWaitMs = 15000;

// The folder of the test program, with its trailing backslash: the modules
// and programs under test are built beside it.
std::string ProgramFolder();

// The whole file in text mode (CRLF read as LF), as the trace is written;
// "" when it cannot be read.
std::string ReadText(const std::string& path);
// The whole file, byte for byte; "" when it cannot be read.
std::string ReadBytes(const std::string& path);

// A path in the temporary folder unique to this test process:
// "<temp>\<stem>-<process id><suffix>".
std::string UniqueTempPath(const std::string& stem, const std::string& suffix = "");

// Deletes a folder with everything below it.
void RemoveTree(const std::string& path);

// An address of an export, as a function of the caller's type; null when missing.
template <typename Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Points KQ_TRACE at an emptied file for the life of the object, for this
// process (the stand-in libraries it loads) and the programs it starts; then
// unsets it and deletes the file.
class TraceFile {
public:
    explicit TraceFile(std::string path);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    const std::string& Path() const { return path_; }
    std::string Read() const { return ReadText(path_); }

private:
    std::string path_;
};

// A fresh folder in the temporary folder, removed with its contents at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& stem);
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // `name` inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Polls for a top-level window of `windowClass` and `title` (null: any)
// until it shows or `timeoutMs` passes; null then.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs = kProgramWaitMs);

// The top-level windows of process `processId` that `match` accepts, front first.
std::vector<HWND> ProcessWindows(DWORD processId, const std::function<bool(HWND)>& match);
// Polls for a top-level window of process `processId` that `match` accepts
// until `timeoutMs` passes (0: looks once); null then.
HWND WaitForProcessWindow(DWORD processId, const std::function<bool(HWND)>& match,
                          DWORD timeoutMs = kProgramWaitMs);

// A program started by a test; one still running at the end is terminated.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `commandLine` with CreateProcess and the given `startup` flags.
    bool Start(std::string commandLine, DWORD startupFlags = 0);
    // Opens `program` with the shell's "open" verb, as the programs launch
    // their helpers; false when the shell refuses.
    bool ShellOpen(const std::string& program);

    // Waits for the end and returns the exit code (STILL_ACTIVE on time-out
    // or when nothing was started).
    DWORD WaitForExit(DWORD timeoutMs = kProgramWaitMs);
    HANDLE Handle() const { return process_; }

private:
    HANDLE process_ = nullptr;
};

} // namespace kq::standin
