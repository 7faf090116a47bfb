// Driver of the chat classroom test on the teacher PC: plays the teacher at
// Teacher.exe, one step after another, each waiting for what it needs.
//   wait,TEXT         the transport's trace holds TEXT
//   select,SEAT       seat SEAT alone selected (a click on it)
//   command,ID        the main window gets command ID
//   chat              the chat window is up
//   history,A|B       the chat's history is exactly line A, then line B,
//                     each ended by "\r\n" ("history," for none)
//   box               a warning box comes up: "box <its text>", then closed
//   close,705|esc|400 the chat closed by its button, Esc or the caption
//                     button; the window gone
//   enabled,ID,0|1    the main window's button ID is disabled (0) or enabled
//
//   ChatDriver.exe TRACE REPORT SECONDS STEP...
// Exit 0 when every step was done in time, 1 otherwise ("failed <step>").

#include "teacher/tests/DriverSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using kqtest::driver::Report;

constexpr char kMainTitle[] = "晨星电子教室";
constexpr char kChatTitle[] = "Chat";
constexpr char kBoxTitle[] = "Warning";
constexpr int kSeatMapId = 1234;
constexpr int kSeatIdBase = 200;
constexpr int kHistoryId = 702;
constexpr int kInputId = 703;
constexpr int kCloseId = 705;
constexpr int kCaptionCloseId = 400;
constexpr DWORD kPollMs = 100;
constexpr DWORD kBoxShownMs = 300;
constexpr DWORD kSendTimeoutMs = 5000;

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

HWND Chat()
{
    HWND chat = ::FindWindowA(nullptr, kChatTitle);
    return chat != nullptr && ::IsWindowVisible(chat) ? chat : nullptr;
}

std::string Text(HWND window)
{
    char text[4096] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                          kSendTimeoutMs, &length);
    return text;
}

std::string Hex(const std::string& bytes)
{
    std::string hex;
    char pair[4];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        hex += pair;
    }
    return hex;
}

void Click(HWND window)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, kSendTimeoutMs, &result);
    ::SendMessageTimeoutA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, kSendTimeoutMs, &result);
}

// The descendant of `window` with control id `id`, or null.
HWND Descendant(HWND window, int id)
{
    struct Find {
        int id;
        HWND found = nullptr;
    } find{id};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            if (::GetDlgCtrlID(child) == f->id)
                f->found = child;
            return f->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
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

std::string Lines(const std::string& value)
{
    std::string lines;
    size_t start = 0;
    while (start < value.size()) {
        const size_t bar = value.find('|', start);
        const size_t end = bar == std::string::npos ? value.size() : bar;
        lines += value.substr(start, end - start) + "\r\n";
        start = end + 1;
    }
    return lines;
}

bool Close(HWND chat, const std::string& how)
{
    if (how == "705") {
        ::PostMessageA(chat, WM_COMMAND, MAKEWPARAM(kCloseId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(chat, kCloseId)));
    } else if (how == "400") {
        ::PostMessageA(chat, WM_COMMAND, MAKEWPARAM(kCaptionCloseId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(chat, kCaptionCloseId)));
    } else if (how == "esc") {
        ::PostMessageA(::GetDlgItem(chat, kInputId), WM_KEYDOWN, VK_ESCAPE, 1);
    } else {
        return false;
    }
    return Until([&] { return Chat() == nullptr; });
}

bool Step(const char* trace, const std::string& verb, const std::string& value)
{
    HWND main = ::FindWindowA(nullptr, kMainTitle);
    if (verb == "wait")
        return Until([&] { return kqtest::driver::ReadFile(trace).find(value) != std::string::npos; });
    if (verb == "select") {
        HWND seat = main ? ::GetDlgItem(::GetDlgItem(main, kSeatMapId), kSeatIdBase + std::atoi(value.c_str())) : nullptr;
        if (seat == nullptr)
            return false;
        Click(seat);
        return true;
    }
    if (verb == "command")
        return main != nullptr && ::PostMessageA(main, WM_COMMAND, std::atoi(value.c_str()), 0);
    if (verb == "chat")
        return Until([] { return Chat() != nullptr; });
    if (verb == "history") {
        const std::string wanted = Lines(value);
        std::string shown;
        const bool same = Until([&] {
            HWND chat = Chat();
            shown = chat ? Text(::GetDlgItem(chat, kHistoryId)) : "";
            return shown == wanted;
        });
        Report("history %s", Hex(shown).c_str());
        return same;
    }
    if (verb == "box")
        return TakeBox();
    if (verb == "close") {
        HWND chat = Chat();
        return chat != nullptr && Close(chat, value);
    }
    if (verb == "enabled") {
        const size_t comma = value.find(',');
        HWND button = main ? Descendant(main, std::atoi(value.substr(0, comma).c_str())) : nullptr;
        const bool wanted = comma != std::string::npos && value.substr(comma + 1) == "1";
        return button != nullptr && Until([&] { return (::IsWindowEnabled(button) != FALSE) == wanted; });
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 1;
    const char* trace = argv[1];
    kqtest::driver::SetReport(argv[2]);
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
