#pragma once
// A temporary teacher installation for the window tests: the built
// Teacher.exe with its modules and default files copied into a fresh folder,
// the registry's install path pointing at it, and a trace file. Teacher.exe
// is then started from there and watched from outside.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>
#include <vector>

namespace kqtest {

constexpr DWORD kStartPatienceMs = 20000;

class TeacherInstall {
public:
    TeacherInstall();
    ~TeacherInstall();

    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const char* name) const { return m_folder + "\\" + name; }

    // Replaces a module by the test double of the same name.
    void UseDouble(const char* module);
    void SetIniValue(const char* section, const char* key, const char* value);
    std::string IniValue(const char* section, const char* key) const;
    // Removes the registry's install path (the process then finds none).
    void ForgetRegistryPath();

    // Starts Teacher.exe with the given extra environment ("NAME=value").
    bool Start(const std::vector<std::string>& environment = {});
    // Starts Teacher.exe once more: true when that copy ended at once
    // without showing a window.
    bool SecondCopyEndsQuietly();
    // Waits for the process to end; true when it did within timeoutMs.
    bool WaitForExit(DWORD timeoutMs = kStartPatienceMs);
    DWORD ProcessId() const { return m_process.dwProcessId; }

    // The visible top-level window of the process titled `title`, or null.
    HWND FindWindowOf(const char* title, DWORD timeoutMs = kStartPatienceMs) const;
    std::string Trace() const;
    bool Traced(const std::string& line) const { return Trace().find(line) != std::string::npos; }

private:
    std::string m_folder;
    std::string m_trace;
    PROCESS_INFORMATION m_process = {};
};

// Every text of the window's children, one after another.
std::string ChildTexts(HWND window);
// The client rectangle of child `id` in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);
// True when `done` holds within timeoutMs (checked every 50 ms).
template <typename F>
bool WaitFor(F done, DWORD timeoutMs = kStartPatienceMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

} // namespace kqtest
