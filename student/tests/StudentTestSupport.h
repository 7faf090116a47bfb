#pragma once
// Helpers for the student dialogs' window tests: finding and scripting the
// message box a dialog opens from inside its own loop, and standing in for
// the browser that opens help pages.

#include "framework/Framework.h"

#include <functional>
#include <string>
#include <vector>

namespace studenttest {

// The visible message box (a window with the box's label) of this thread.
HWND FindMessageBox();
// The text of control `id` of `window`.
CString ControlText(HWND window, UINT id);
// The text of string `id` of the resource source.
CString ResourceText(UINT id);

// While alive, runs `script` once on the first message box that shows on
// this thread, from inside the box's own loop.
class BoxWatcher {
public:
    explicit BoxWatcher(std::function<void(CWnd&)> script);
    ~BoxWatcher();
    bool Ran() const { return m_ran; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(CWnd&)> m_script;
    bool m_ran = false;
    UINT_PTR m_timer = 0;
};

// Registers HelpRecorder.exe as the program that opens .htm files, so no
// browser starts; it writes each page it is asked to open into a record.
// (Wine reads file associations from HKEY_CLASSES_ROOT only.) What was
// registered before is put back.
class HelpRecording {
public:
    HelpRecording();
    ~HelpRecording();
    bool Ready() const { return m_ready; }
    // The pages opened so far, one a line.
    std::vector<std::string> Opened() const;

private:
    std::string m_record;
    bool m_ready = false;
    bool m_hadAssociation = false;
    std::string m_previous;
};

} // namespace studenttest
