#pragma once
// A running Teacher.exe for the command and event tests: three seats A1, B1
// and C1 in one row, the recording transport double (every block it is lent
// appears in the trace as "Lectern send code=... count=... param=...
// extra=... seats=... args=..."), and the means to drive it from outside:
// seats on line by transport events, selections by mouse messages on the
// seat map, commands, and the boxes it opens.

#include "teacher/tests/TeacherInstall.h"

#include <string>
#include <vector>

namespace kqtest {

enum class Selection { None, One, Two, All };

class TeachingSession {
public:
    // Extra Teacher.ini values and environment before the start.
    struct IniValue {
        const char* section;
        const char* key;
        const char* value;
    };
    explicit TeachingSession(const std::vector<IniValue>& ini = {}, const std::vector<std::string>& environment = {},
                             bool failingVideo = false);
    ~TeachingSession();

    bool Started() const { return m_main != nullptr; }
    HWND Main() const { return m_main; }
    TeacherInstall& Install() { return m_install; }

    void Online(int seat) { Event(2, seat); }
    // Posts WM_LECTERN_NOTIFY and waits until the window has handled it.
    void Event(int event, intptr_t value);
    // Selects none (a click on the background), seat B1, A1 and B1, or all.
    void Select(Selection selection);
    // Selects seat `seat` alone (a click on it).
    void SelectSeat(int seat);
    // Posts the command and waits until the window has handled it (or a
    // box that it opened is up).
    void Command(UINT id);

    // Blocks sent since the last call, one trace line each without prefix.
    std::vector<std::string> NewSends();
    // The text of the open box titled `title` (a warning or notice box:
    // "Warning"), closed afterwards; empty when none came up.
    std::string TakeBox(const char* title = "Warning", DWORD timeoutMs = 3000);
    // The string `id` of resource.dll.
    std::string String(UINT id);
    // The on-line seats as the monitoring command (nothing selected) sends
    // them, e.g. "1,3"; empty when none is on line.
    std::string OnlineSeats();
    // Posts a message to the main window and waits until it has been handled.
    void Post(UINT message, WPARAM wParam, LPARAM lParam);
    // Waits until the window has handled what reached it so far.
    void Settle();

    // The visible top-level window of Teacher.exe that has control `id`
    // (a dialog it opened), or null when none comes up in time.
    HWND DialogWith(UINT id, DWORD timeoutMs = 3000);
    // Presses button `id` of `dialog` as a click does and waits.
    void Press(HWND dialog, UINT id);
    static void SetText(HWND dialog, UINT id, const std::string& text);

private:
    TeacherInstall m_install;
    HWND m_main = nullptr;
    size_t m_seenSends = 0;
};

std::string SendLine(int code, int count, int param, const std::string& seats);

} // namespace kqtest
