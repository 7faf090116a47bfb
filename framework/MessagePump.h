#pragma once
// The library's one way of reading and dispatching messages, used by every
// loop it runs (thread pumps, idle checks, modal loops) and by programs that
// wait in a loop of their own.
//
// Messages are read and dispatched in their wide form although our windows
// are ANSI: the system then converts typed text for each window as it is
// delivered, a double-byte character as two WM_CHARs (lead byte first),
// whereas reading the queue through the narrow functions turns every typed
// Chinese character into '?'. A message read here carries wide text in
// WM_CHAR's wParam until it is dispatched.

#include "framework/Win32.h"

// GetMessage: > 0 a message, 0 WM_QUIT, < 0 an error.
int AfxGetMessage(MSG* pMsg);
// PeekMessage with the given filter and removal flags.
BOOL AfxPeekMessage(MSG* pMsg, HWND hWnd = nullptr, UINT nFirst = 0, UINT nLast = 0, UINT nRemove = PM_NOREMOVE);
// True when a message waits in the calling thread's queue.
inline BOOL AfxMessageWaiting()
{
    MSG msg;
    return AfxPeekMessage(&msg);
}
// Keyboard translation, then the window procedure (or the timer callback).
void AfxDispatchMessage(const MSG* pMsg);
// One message: read, handed to AfxPreTranslateMessage, else dispatched.
// FALSE on WM_QUIT, whose exit code is left in *pMsg.
BOOL AfxPumpMessage(MSG* pMsg);
