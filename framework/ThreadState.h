#pragma once
// Per-thread state of the library (internal): the thread's CWinThread, the
// window being created, the message being handled, the temporary wrappers.
//
// The library is linked into every module, so each module keeps its own
// copy of this state for each thread. The state lives on the heap behind a
// plain thread-local pointer: a thread-local object with a destructor hangs
// the exit of any thread that used it once its DLL has been unloaded. It is
// freed when a library thread ends and, in a DLL, at thread detach; the main
// thread's and foreign threads' states of a program last until its end.

#include "framework/Win32.h"

#include <memory>
#include <unordered_map>

class CWinThread;
class CWnd;
class CMenu;

struct AfxThreadState {
    CWinThread* pThread = nullptr;
    // The object whose window CreateEx is creating; the creation hook binds
    // the first window created on this thread to it.
    CWnd* pWndInit = nullptr;
    HHOOK hCbtHook = nullptr;
    HHOOK hMsgFilterHook = nullptr;
    // The message WindowProc is handling now (for CWnd::Default).
    MSG lastSentMsg = {};
    // Temporary wrappers made by CWnd::FromHandle and CMenu::FromHandle.
    std::unordered_map<HWND, std::unique_ptr<CWnd>> tempWnds;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> tempMenus;
    // The popup menu CMenu::TrackPopupMenu shows, or the last one opened.
    HMENU hTrackingMenu = nullptr;

    AfxThreadState();
    ~AfxThreadState();
    AfxThreadState(const AfxThreadState&) = delete;
    AfxThreadState& operator=(const AfxThreadState&) = delete;
};

AfxThreadState& AfxGetThreadState();

// Frees the calling thread's state (and removes its hooks), if it has one.
// A DLL calls it at thread detach and when it is unloaded: the hook
// procedures live in the DLL.
void AfxFreeThreadState();

// Frees the calling thread's temporary wrappers (windows, menus, GDI).
void AfxDeleteTempMaps();
