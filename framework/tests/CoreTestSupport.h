#pragma once
// Helpers for the tests of windows, dialogs and threads: pumping the calling
// thread's messages through the library's chain with a time limit, dialog
// templates built in memory, and closing a system message box from a timer.

#include "framework/Framework.h"

#include <functional>
#include <string>
#include <vector>

namespace kqtest {

// How long a test waits for something that should happen at once.
constexpr DWORD kPatienceMs = 5000;

// Pumps messages (as the library's loops do) until done() is true; false
// when the time ran out first. A WM_QUIT met on the way is put back.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);
// Pumps whatever is queued now.
void PumpPending();
// Removes a WM_QUIT waiting in the queue; its exit code in *code.
bool TakeQuit(int* code = nullptr);

// The system dialog-item classes (atoms) of a template.
enum class Item : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083,
                         ComboBox = 0x0085 };

// A dialog template (DLGTEMPLATE) assembled in memory.
class DialogTemplate {
public:
    DialogTemplate(const char* title, DWORD style, short cx, short cy);
    DialogTemplate& Add(Item kind, WORD id, DWORD style, short x, short y, short cx, short cy,
                        const char* text = "");
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Align();
    void AddText(const char* text);
    std::vector<WORD> m_words;
    size_t m_countIndex = 0;
};

// The style of the test dialogs: a visible bordered popup without caption,
// as the programs' skinned dialogs are. (Under Wine without a window manager,
// hiding a captioned window waits two seconds for the manager.)
constexpr DWORD kDialogStyle = WS_POPUP | WS_BORDER | WS_VISIBLE;

// The first message box (dialog class, caption `caption`) the thread shows
// is answered with `answer` as soon as it is up.
void AnswerNextMessageBox(DWORD threadId, const char* caption, int answer);
// The thread's visible system dialog window titled `caption`, or null.
HWND FindThreadDialog(DWORD threadId, const char* caption);

} // namespace kqtest
