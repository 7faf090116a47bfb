#pragma once
// The student desktop shell: a panel along the left screen edge with the
// student's buttons (each reported to the agent's frame) and the shortcuts of
// the two desktop folders of the student install, opened by a double click.

#include <windows.h>

#include <string>
#include <vector>

class DeskWindow {
public:
    bool Open(HWND frame, int edition);
    void Close();
    // Lists the shortcut folders again.
    void Refresh();
    bool IsOpen() const { return m_window != nullptr && IsWindow(m_window); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OpenEntry(int index);

    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_frame = nullptr;
    std::vector<std::string> m_paths; // full path of each list entry, in list order
};
