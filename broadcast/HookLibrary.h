#pragma once
// The outside hook library's keyboard and start-key hooks, loaded from the
// host's search path on first use. Missing entries make the calls do nothing.

#include "framework/Framework.h"

class CHookLibrary {
public:
    // The keyboard hook posts WM_MIRAGE_HOOK_KEY to `target` for every key.
    bool InstallKeyHook(HWND target);
    void UninstallKeyHook();
    void InstallStartKeyHook();
    void UninstallStartKeyHook();

private:
    FARPROC Entry(const char* name);
    HMODULE m_module = nullptr;
};

CHookLibrary& HookLibrary();
