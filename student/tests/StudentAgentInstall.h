#pragma once
// A temporary student installation for the agent's tests: the test agent
// (Student.exe with the session end and the environment check replaced), its
// modules and a student.ini fixture in a fresh folder, the registry's
// install path pointing at it, and a trace file. The agent is started from
// there and watched from outside.

#include "standins/common/tests/ProgramInstall.h"
#include "student/tests/TestRecord.h"

#include <string>
#include <vector>

namespace kqtest {

constexpr DWORD kAgentPatienceMs = kq::standin::kInstallPatienceMs;

class StudentAgentInstall : public kq::standin::ProgramInstall {
public:
    // `seat` becomes [STUDENTNUMBER] number (null: no such key). `program`
    // is the one Start runs: the agent, or the joiner that starts it.
    explicit StudentAgentInstall(const char* seat = "A7", const char* program = "Student.exe");

    std::string IniPath() const { return PathOf("student.ini"); }

    // Writes (null value: removes) a key of the install folder's student.ini.
    void SetIni(const char* section, const char* key, const char* value) const;
    std::string Ini(const char* section, const char* key, const std::string& file = {}) const;
    // Removes the registry's install path.
    void ForgetRegistryPath() const;

    // Starts a second copy: true when it ended at once without a window.
    bool SecondCopyEndsQuietly() const;

    // The agent's frame (hidden, titled "KqStudent"), or null.
    HWND Frame(DWORD timeoutMs = kAgentPatienceMs) const;
    // The floating toolbar (a visible tool window with buttons), or null.
    HWND ToolBar(DWORD timeoutMs = kAgentPatienceMs) const;
    // A visible window of the agent titled `title`, or null.
    HWND Window(const char* title, DWORD timeoutMs = kAgentPatienceMs) const;
    // The agent's visible message box, or null.
    HWND MessageBox(DWORD timeoutMs = kAgentPatienceMs) const;
    // The text the message box shows.
    static std::string MessageText(HWND box);

    // Hands the running agent a command with its record, as the transport does.
    template <typename Record>
    bool Deliver(WORD code, const Record& record) const
    {
        return kq::agent::PostTestRecord(Frame(), MAKEWPARAM(code, 0), &record, sizeof record);
    }
    // Writes the install folder's register.ini.
    void SetRegisterIni(const std::string& text) const;

    // Waits until the trace holds `text`.
    bool WaitForTrace(const std::string& text, DWORD timeoutMs = kAgentPatienceMs) const;
    // How often `text` occurs in the trace.
    int TraceCount(const std::string& text) const;
};

// A DWORD value under HKCU; false when there is none.
bool ReadUserDword(const char* key, const char* name, DWORD& value);
// Text `id` of Satchel.dll.
std::string SatchelText(UINT id);
// The children of `parent` whose class is `className`, in z-order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
std::string WindowText(HWND window);

template <typename F>
bool WaitFor(F done, DWORD timeoutMs = kAgentPatienceMs)
{
    return kq::standin::WaitFor(done, timeoutMs);
}

} // namespace kqtest
