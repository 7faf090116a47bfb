// Driver of the seat editing classroom test on the teacher PC: waits until
// both student PCs are on line, arranges the room anew in the seat editor
// (2 seats in 1 column: A1 above A2) and waits until both PCs have logged
// on again; then calls the roll, which goes to every seat on line.
//
//   SeatEditDriver.exe TRACE REPORT
// Reports to REPORT: "online", "arranged", "online", "back", "done", or what went wrong.

#include "teacher/tests/DriverSupport.h"

#include <string>

namespace {

using namespace kqtest::driver;

constexpr UINT kSeatEdit = 313;
constexpr UINT kRollCall = 305;
constexpr UINT kSeatCountField = 1;
constexpr UINT kColumnCountField = 3;
constexpr UINT kFill = 719;
constexpr UINT kOk = 706;
constexpr DWORD kSettleMs = 2000;

// The visible top-level window that has a control `id`.
HWND WindowWith(UINT id)
{
    struct Search {
        UINT id;
        HWND found;
    } search = {id, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && ::GetDlgItem(window, static_cast<int>(s->id)) != nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Press(HWND dialog, UINT id)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))), SMTO_NORMAL, 5000,
                          &result);
}

int Drive(const char* trace);

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 3;
    SetReport(argv[2]);
    const int result = Drive(argv[1]);
    // Teacher.exe ends with the driver, whatever happened, so the test ends.
    if (HWND main = ::FindWindowA(nullptr, "晨星电子教室"))
        ::PostMessageA(main, WM_CLOSE, 0, 0);
    return result;
}

namespace {

int Drive(const char* trace)
{
    HWND main = WaitForClass(trace);
    if (main == nullptr)
        return 1;

    ::PostMessageA(main, WM_COMMAND, kSeatEdit, 0);
    HWND editor = nullptr;
    if (!WaitFor([&] { return (editor = WindowWith(kFill)) != nullptr; }, kPatienceMs)) {
        Report("no seat editor");
        return 1;
    }
    ::SetDlgItemTextA(editor, kSeatCountField, "2");
    ::SetDlgItemTextA(editor, kColumnCountField, "1");
    Press(editor, kFill);
    Press(editor, kOk);
    if (!WaitFor([&] { return !::IsWindow(editor); }, kPatienceMs)) {
        Report("the seat editor stayed open");
        return 1;
    }
    Report("arranged");

    if (WaitForClass(trace, 2) == nullptr)
        return 1;
    ::Sleep(kSettleMs);
    Report("back");
    ::PostMessageA(main, WM_COMMAND, kRollCall, 0);
    ::Sleep(kSettleMs);
    Report("done");
    return 0;
}

} // namespace
