#pragma once
// A temporary teacher installation for the window tests: the built
// Teacher.exe with its modules and default files copied into a fresh folder,
// the registry's install path pointing at it, and a trace file. Teacher.exe
// is then started from there and watched from outside.

#include "standins/common/tests/ProgramInstall.h"

#include <string>

namespace kqtest {

constexpr DWORD kStartPatienceMs = kq::standin::kInstallPatienceMs;

class TeacherInstall : public kq::standin::ProgramInstall {
public:
    TeacherInstall();

    // Replaces a module by the test double of the same name.
    void UseDouble(const char* module);
    void SetIniValue(const char* section, const char* key, const char* value);
    std::string IniValue(const char* section, const char* key) const;
    // Removes the registry's install path (the process then finds none).
    void ForgetRegistryPath();

    // Starts Teacher.exe once more: true when that copy ended at once
    // without showing a window.
    bool SecondCopyEndsQuietly();

    // The visible top-level window of the process titled `title`, or null.
    HWND FindWindowOf(const char* title, DWORD timeoutMs = kStartPatienceMs) const;
};

// Every text of the window's children, one after another.
std::string ChildTexts(HWND window);
// The client rectangle of child `id` in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);
// True when `done` holds within timeoutMs (checked every 50 ms).
template <typename F>
bool WaitFor(F done, DWORD timeoutMs = kStartPatienceMs)
{
    return kq::standin::WaitFor(done, timeoutMs);
}

} // namespace kqtest
