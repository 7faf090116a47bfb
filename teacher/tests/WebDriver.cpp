// Driver of the web access classroom test on the teacher PC: plays the
// teacher at Teacher.exe, one step after another, each waiting for what it
// needs first.
//   wait,TEXT       the transport's trace holds TEXT
//   command,ID      the main window gets command ID
//   box             a warning box comes up: "box <its text>", then closed
//   restrict        the restrictions dialog: OK, the box that follows
//                   reported and closed, the dialog gone
//   sites           the web site list: "sites <name>|<name>..."
//   delete,ROW      the web site list: row ROW selected and deleted
//   closesites      the web site list closed
//   quit            the main window closed
//
//   WebDriver.exe TRACE REPORT SECONDS STEP...
// Exit 0 when every step was done in time, 1 otherwise ("failed <step>").

#include "standins/common/tests/RemoteList.h"
#include "standins/lectern/tests/HostReport.h"
#include "teacher/tests/DriverSupport.h"

#include <cstdlib>
#include <string>

namespace {

using kq::lectern::host::Report;

constexpr char kMainTitle[] = "晨星电子教室";
constexpr char kBoxTitle[] = "Warning";
constexpr int kRestrictTabs = 725;
constexpr int kRestrictOk = 706;
constexpr int kSiteList = 717;
constexpr int kSiteDelete = 711;
constexpr int kSiteClose = 710;
constexpr DWORD kPollMs = 100;
constexpr DWORD kBoxShownMs = 300;

ULONGLONG g_deadline = 0;

template <typename F>
bool Until(F done)
{
    while (!done()) {
        if (::GetTickCount64() > g_deadline)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

// The visible top-level window holding control `id`, or null.
HWND DialogWith(int id)
{
    struct Find {
        int id;
        HWND found = nullptr;
    } find{id};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            if (::IsWindowVisible(window) && ::GetDlgItem(window, f->id) != nullptr)
                f->found = window;
            return f->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool TakeBox()
{
    HWND box = nullptr;
    if (!Until([&] { return (box = ::FindWindowA(nullptr, kBoxTitle)) != nullptr && ::IsWindowVisible(box); }))
        return false;
    ::Sleep(kBoxShownMs);
    Report("box %s", kqtest::driver::ChildWindowTexts(box).c_str());
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    return Until([&] { return !::IsWindow(box); });
}

bool Step(const char* trace, const std::string& verb, const std::string& value)
{
    HWND main = ::FindWindowA(nullptr, kMainTitle);
    if (verb == "wait")
        return Until([&] { return kqtest::driver::ReadFile(trace).find(value) != std::string::npos; });
    if (verb == "command")
        return main != nullptr && ::PostMessageA(main, WM_COMMAND, std::atoi(value.c_str()), 0);
    if (verb == "box")
        return TakeBox();
    if (verb == "restrict") {
        HWND dialog = nullptr;
        if (!Until([&] { return (dialog = DialogWith(kRestrictTabs)) != nullptr; }))
            return false;
        Click(dialog, kRestrictOk);
        return TakeBox() && Until([&] { return !::IsWindow(dialog); });
    }
    if (verb == "sites" || verb == "delete" || verb == "closesites") {
        HWND dialog = nullptr;
        if (!Until([&] { return (dialog = DialogWith(kSiteList)) != nullptr; }))
            return false;
        const kq::standin::RemoteList list(::GetDlgItem(dialog, kSiteList));
        if (verb == "sites") {
            std::string names;
            for (int row = 0; row < list.Count(); ++row)
                names += (row == 0 ? "" : "|") + list.Text(row, 0);
            Report("sites %s", names.c_str());
            return true;
        }
        if (verb == "delete") {
            list.Select(std::atoi(value.c_str()));
            Click(dialog, kSiteDelete);
            return true;
        }
        Click(dialog, kSiteClose);
        return Until([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
    }
    if (verb == "quit")
        return main != nullptr && ::PostMessageA(main, WM_CLOSE, 0, 0);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 1;
    const char* trace = argv[1];
    kq::lectern::host::g_reportPath = argv[2];
    g_deadline = ::GetTickCount64() + static_cast<ULONGLONG>(std::atoi(argv[3])) * 1000;
    for (int i = 4; i < argc; ++i) {
        const std::string step = argv[i];
        const size_t comma = step.find(',');
        const std::string verb = step.substr(0, comma);
        const std::string value = comma == std::string::npos ? "" : step.substr(comma + 1);
        if (!Step(trace, verb, value)) {
            Report("failed %s", step.c_str());
            return 1;
        }
        Report("done %s", step.c_str());
    }
    return 0;
}
