#pragma once
// The mouse-shape hook: a low-level mouse hook that, shortly after the mouse
// moves or clicks, looks at the cursor; when its shape changed it writes the
// new shape into the shared memory "CursorShape" and tells the given window
// (wParam 1), or tells it that no cursor is shown (wParam 0). Runs on the
// installing thread, which must pump messages.

#include <windows.h>

class MouseShapeHook {
public:
    bool Install(HWND target);
    void Uninstall();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK NotifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CheckCursor();

    HWND m_target = nullptr;
    HWND m_notifier = nullptr; // message-only window whose timer delays the look
    HHOOK m_hook = nullptr;
    HANDLE m_mapping = nullptr;
    void* m_view = nullptr;
    HCURSOR m_lastCursor = nullptr;
    bool m_reported = false; // whether the target has heard of any state yet
};
