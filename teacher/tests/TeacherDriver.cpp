// Driver of the classroom test on the teacher PC: waits until Teacher.exe
// shows both student PCs on line, selects seat A2 alone, collects homework
// from it (which starts the homework file server), then asks every PC to
// log on again, so that the replies carry the server's port.
//
//   TeacherDriver.exe TRACE REPORT
// Reports to REPORT: "online", "box <text>", "done", or what went wrong.

#include "teacher/tests/DriverSupport.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

constexpr UINT kSeatMapId = 1234;
constexpr UINT kSeatIdBase = 200;
constexpr int kSeatA2 = 7;
constexpr UINT kHomework = 308;
constexpr UINT kRefresh = 318;
constexpr DWORD kPatienceMs = 90000;
constexpr DWORD kRelogonMs = 6000;

std::string g_report;

void Report(const char* format, ...)
{
    FILE* file = std::fopen(g_report.c_str(), "a");
    if (file == nullptr)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

template <typename F>
bool WaitFor(F done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() > end)
            return false;
        ::Sleep(100);
    }
    return true;
}

void Click(HWND window)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, 5000, &result);
    ::SendMessageTimeoutA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, 5000, &result);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 3;
    const char* trace = argv[1];
    g_report = argv[2];

    HWND main = nullptr;
    if (!WaitFor([&] { return (main = ::FindWindowA(nullptr, "晨星电子教室")) != nullptr; }, kPatienceMs)) {
        Report("no teacher window");
        return 1;
    }
    if (!WaitFor([&] {
            const std::string text = kqtest::driver::ReadWholeFile(trace);
            return text.find("logon A1 from") != std::string::npos && text.find("logon A2 from") != std::string::npos;
        }, kPatienceMs)) {
        Report("the students did not log on");
        return 1;
    }
    Report("online");

    HWND seat = ::GetDlgItem(::GetDlgItem(main, kSeatMapId), kSeatIdBase + kSeatA2);
    if (seat == nullptr) {
        Report("no seat A2");
        return 1;
    }
    Click(seat);
    ::PostMessageA(main, WM_COMMAND, kHomework, 0);
    // Every box that comes up is reported and closed, until the homework's.
    for (;;) {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = ::FindWindowA(nullptr, "Warning")) != nullptr; }, kPatienceMs)) {
            Report("no homework box");
            return 1;
        }
        ::Sleep(300);
        const std::string text = kqtest::driver::ChildWindowTexts(box);
        Report("box %s", text.c_str());
        ::PostMessageA(box, WM_CLOSE, 0, 0);
        WaitFor([&] { return !::IsWindow(box); }, kPatienceMs);
        if (text.find("C:\\Homework") != std::string::npos)
            break;
    }

    ::PostMessageA(main, WM_COMMAND, kRefresh, 0);
    ::Sleep(kRelogonMs);
    Report("done");
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}
