#pragma once
// A program installed into a fresh temporary folder for one test: started
// from there with the call trace pointed at the folder and watched from
// outside; ended and removed with its folder at the end.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>
#include <vector>

namespace kq::standin {

// How long a test waits for an installed program to answer.
inline constexpr DWORD kInstallPatienceMs = 20000;

// True when `done` holds within timeoutMs (checked every 50 ms).
template <typename F>
bool WaitFor(F done, DWORD timeoutMs)
{
    constexpr DWORD kPollMs = 50;
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

// Writes a string value under HKLM, making the key when missing.
void SetMachineString(const char* key, const char* name, const std::string& value);
// Removes a value under HKLM.
void RemoveMachineValue(const char* key, const char* name);

class ProgramInstall {
public:
    // A folder "<temp><stem>_<process>_<tick>" for `program` (its file name).
    ProgramInstall(const std::string& stem, std::string program);
    ~ProgramInstall();
    ProgramInstall(const ProgramInstall&) = delete;
    ProgramInstall& operator=(const ProgramInstall&) = delete;

    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const std::string& name) const { return m_folder + "\\" + name; }
    // Copies `built` (a path below the test program's folder) in as `name`.
    void CopyIn(const std::string& built, const std::string& name) const;

    // Words the program is started with after its quoted path ("" for none).
    void SetArguments(std::string arguments) { m_arguments = std::move(arguments); }

    // Starts the program with extra environment ("NAME=value"); the test
    // builds' switches of an earlier start are cleared first.
    bool Start(const std::vector<std::string>& environment = {});
    // Starts a second copy: true when it ended by itself at once; its
    // process id in `processId` either way.
    bool SecondCopyEnds(DWORD& processId) const;
    bool WaitForExit(DWORD timeoutMs = kInstallPatienceMs) const;
    bool Running() const;
    // The exit code once the program has ended.
    bool ExitCode(DWORD& code) const;
    DWORD ProcessId() const { return m_process.dwProcessId; }

    std::string Trace() const;
    bool Traced(const std::string& text) const { return Trace().find(text) != std::string::npos; }

private:
    bool Launch(PROCESS_INFORMATION& process) const;

    std::string m_folder;
    std::string m_program;
    std::string m_trace;
    std::string m_arguments;
    PROCESS_INFORMATION m_process = {};
};

} // namespace kq::standin
