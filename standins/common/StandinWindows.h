#pragma once
// The Win32 glue the stand-in programs and libraries share: the module their
// code lives in, registering their window classes, the message loop and
// closing a window from any thread.

#include <windows.h>

namespace kq::standin {

// The module (program or DLL) this code is linked into: a library's windows
// and resources belong to it, not to the host program.
HMODULE ThisModule();

// Registers `className` in `module` with `procedure`, `background` and
// `cursor`. True also when the class is already there (the library opened a
// second time).
bool RegisterWindowClass(const char* className, WNDPROC procedure, HBRUSH background = nullptr,
                         LPCSTR cursor = IDC_ARROW, HMODULE module = ThisModule());

// The system colour brush a window class takes as its background.
HBRUSH ColourBrush(int colourIndex);

// Runs the thread's message loop until WM_QUIT. Messages are read in their
// wide form, so that typed Chinese reaches the ANSI windows converted by the
// system rather than as '?'.
void RunMessageLoop();
// The same loop while `window` exists; a WM_QUIT seen meanwhile is posted
// again for the loop outside.
void RunMessageLoopWhile(HWND window);

// Closes `window`: destroyed at once on its own thread, asked with WM_CLOSE
// from another (a window is destroyed only by its own thread).
void CloseFromAnyThread(HWND window);

} // namespace kq::standin
