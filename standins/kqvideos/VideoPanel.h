#pragma once
// The video broadcast's control panel: a child window of the teacher's main
// window from which the teacher starts, changes and ends the video channels.
// Each button is reported to the host window with the video notice message;
// two more open the host's video channel dialog in its two modes (the
// commands 871, manage the channels, and 852, show one to the students).

#include <windows.h>

class VideoPanel {
public:
    // Creates the panel in `host` at (x, y); false when the window fails.
    bool Open(HWND host, int mode, int x, int y, bool smallScreen);
    void Close();
    void MoveTo(int x, int y, bool smallScreen);
    bool IsOpen() const { return m_window != nullptr && IsWindow(m_window); }
    HWND Window() const { return m_window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void Notify(int notice, int channel);

    HWND m_window = nullptr;
    HWND m_host = nullptr;
};
