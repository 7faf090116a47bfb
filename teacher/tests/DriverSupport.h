#pragma once
// Shared by the drivers of the classroom tests that run on the teacher PC
// beside Teacher.exe: their report file, waiting, reading the trace and the
// texts of the windows they look at.

#include "standins/common/tests/ProgramInstall.h"
#include "standins/lectern/tests/HostReport.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kqtest::driver {

using kq::lectern::host::Report;
using kq::standin::WaitFor;

// How long a driver waits for anything of the classroom.
constexpr DWORD kPatienceMs = 90000;

// The report file the driver writes, one line per step.
inline void SetReport(const char* path) { kq::lectern::host::g_reportPath = path; }

inline std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// How often `part` stands in `text`.
inline int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Teacher.exe's main window once it is up, then once A1 and A2 have logged
// on `times` times in all (by the transport's trace): reports "online". Null
// after reporting what did not come.
inline HWND WaitForClass(const char* trace, int times = 1)
{
    HWND main = nullptr;
    if (!WaitFor([&] { return (main = ::FindWindowA(nullptr, "晨星电子教室")) != nullptr; }, kPatienceMs)) {
        Report("no teacher window");
        return nullptr;
    }
    if (!WaitFor([&] {
            const std::string text = ReadFile(trace);
            return Count(text, "logon A1 from") >= times && Count(text, "logon A2 from") >= times;
        }, kPatienceMs)) {
        Report(times == 1 ? "the students did not log on" : "the students did not log on again");
        return nullptr;
    }
    Report("online");
    return main;
}

// Every text of the window's children, one after another.
inline std::string ChildWindowTexts(HWND window)
{
    std::string texts;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            char text[512] = {};
            ::GetWindowTextA(child, text, sizeof text);
            *reinterpret_cast<std::string*>(param) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

} // namespace kqtest::driver
