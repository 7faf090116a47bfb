// Driver of the classroom test on the teacher PC: waits until Teacher.exe
// shows both student PCs on line, selects seat A2 alone, collects homework
// from it (which starts the homework file server), then asks every PC to
// log on again, so that the replies carry the server's port.
//
//   TeacherDriver.exe TRACE REPORT
// Reports to REPORT: "online", "box <text>", "done", or what went wrong.

#include "teacher/tests/DriverSupport.h"

#include <string>

namespace {

using namespace kqtest::driver;

constexpr UINT kSeatMapId = 1234;
constexpr UINT kSeatIdBase = 200;
constexpr int kSeatA2 = 7;
constexpr UINT kHomework = 308;
constexpr UINT kRefresh = 318;
constexpr DWORD kRelogonMs = 6000;

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
    SetReport(argv[2]);

    HWND main = WaitForClass(trace);
    if (main == nullptr)
        return 1;

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
