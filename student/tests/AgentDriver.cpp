// Plays the student at the agent's dialogs in the classroom test, on the
// student PC itself: each action waits for its dialog, fills it in and
// presses its OK button, in the order given.
//   rollcall,ANSWER   the roll call ("calling"): the answer, then OK
//   handin,PATH       the hand-in dialog (path field 1001, Browse 1002)
//   closeboxes        every message box (label 1006) that shows until the
//                     time is up: closed
//   links,A|B         the link list shows exactly the entries A and B (none
//                     after "links,")
//   refresh           the link list's Refresh button
//   linksgone         the link list is closed
//   deskedit          the desktop editor (shortcut list 136, tree 137): Cancel
//
//   AgentDriver.exe SECONDS ACTION...
// Exit 0 when every action found its dialog in time, 2 otherwise.

#include "standins/common/tests/RemoteList.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRollCallField = 1000;
constexpr int kHandInField = 1001;
constexpr int kBrowseButton = 1002;
constexpr int kOkButton = 102;
constexpr int kMessageLabel = 1006;
constexpr int kLinkList = 1013;
constexpr int kRefreshButton = 1015;
constexpr int kDeskEditorList = 136;
constexpr int kDeskEditorTree = 137;
constexpr int kDeskEditorCancel = 131;
constexpr DWORD kPollMs = 100;

struct Wanted {
    int field;
    int other; // a second control the dialog must have, 0: none
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param)
{
    auto* wanted = reinterpret_cast<Wanted*>(param);
    if (::IsWindowVisible(window) && ::GetDlgItem(window, wanted->field) != nullptr &&
        (wanted->other == 0 || ::GetDlgItem(window, wanted->other) != nullptr)) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(int field, int other, ULONGLONG deadline)
{
    Wanted wanted{field, other, nullptr};
    while (::GetTickCount64() < deadline) {
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.found != nullptr)
            return wanted.found;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

bool FillAndConfirm(int field, int other, const std::string& text, ULONGLONG deadline)
{
    const HWND dialog = WaitForDialog(field, other, deadline);
    if (dialog == nullptr)
        return false;
    ::SendMessageA(::GetDlgItem(dialog, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const HWND ok = ::GetDlgItem(dialog, kOkButton);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kOkButton, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    // Wait until it is gone, so the next action does not find it again.
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog) && ::GetTickCount64() < deadline)
        ::Sleep(kPollMs);
    return true;
}

bool CloseBoxes(ULONGLONG deadline)
{
    while (const HWND box = WaitForDialog(kMessageLabel, kOkButton, deadline)) {
        ::PostMessageA(box, WM_CLOSE, 0, 0);
        while (::IsWindow(box) && ::IsWindowVisible(box) && ::GetTickCount64() < deadline)
            ::Sleep(kPollMs);
    }
    return true;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('|', start);
        if (end == std::string::npos)
            end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool LinksShown(const std::string& expected, ULONGLONG deadline)
{
    const std::vector<std::string> wanted = Split(expected);
    while (::GetTickCount64() < deadline) {
        if (const HWND dialog = WaitForDialog(kLinkList, kRefreshButton, deadline)) {
            const kq::standin::RemoteList list(::GetDlgItem(dialog, kLinkList));
            if (list.Rows(1) == wanted)
                return true;
        }
        ::Sleep(kPollMs);
    }
    return false;
}

bool Refresh(ULONGLONG deadline)
{
    const HWND dialog = WaitForDialog(kLinkList, kRefreshButton, deadline);
    if (dialog == nullptr)
        return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kRefreshButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kRefreshButton)));
    return true;
}

bool LinksGone(ULONGLONG deadline)
{
    while (::GetTickCount64() < deadline) {
        Wanted wanted{kLinkList, kRefreshButton, nullptr};
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.found == nullptr)
            return true;
        ::Sleep(kPollMs);
    }
    return false;
}

bool CancelDeskEditor(ULONGLONG deadline)
{
    const HWND dialog = WaitForDialog(kDeskEditorList, kDeskEditorTree, deadline);
    if (dialog == nullptr)
        return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kDeskEditorCancel, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kDeskEditorCancel)));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(std::atoi(argv[1])) * 1000;
    for (int i = 2; i < argc; ++i) {
        const std::string action = argv[i];
        const size_t comma = action.find(',');
        const std::string verb = action.substr(0, comma);
        const std::string text = comma == std::string::npos ? "" : action.substr(comma + 1);
        const bool done = verb == "rollcall" ? FillAndConfirm(kRollCallField, 0, text, deadline)
                          : verb == "handin"   ? FillAndConfirm(kHandInField, kBrowseButton, text, deadline)
                          : verb == "closeboxes" ? CloseBoxes(deadline)
                          : verb == "links"      ? LinksShown(text, deadline)
                          : verb == "refresh"    ? Refresh(deadline)
                          : verb == "linksgone"  ? LinksGone(deadline)
                          : verb == "deskedit"   ? CancelDeskEditor(deadline)
                                                 : false;
        if (!done)
            return 2;
    }
    return 0;
}
