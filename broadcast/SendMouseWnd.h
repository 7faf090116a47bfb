#pragma once
// The cursor sender window "DoSendMouseWnd": a hidden window on the cursor
// thread that multicasts the cursor's position every 50 ms when it moved, and
// its shape whenever the hook library reports a new one through the shared
// memory "CursorShape".

#include "framework/Framework.h"

#include <cstdint>

class CSendMouseWnd : public CWnd {
public:
    // Creates the window, the shared memory and the hook.
    void Start();
    // Removes hook, shared memory and window.
    void Stop();

protected:
    afx_msg void OnTimer(UINT_PTR id);
    LRESULT OnCursorShapeChanged(WPARAM shapeReady, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SendShape();
    void SendShapeControl(bool shapeOn);
    void CallHook(const char* exportName, HWND window);

    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
    HANDLE m_mapping = nullptr;
    const uint8_t* m_view = nullptr; // null when the shared memory could not be mapped
    HMODULE m_hooks = nullptr;
};

CSendMouseWnd& SendMouseWnd();
