#pragma once
// The application-wide helper functions of the library.
//
// AfxMessageBox shows the system message box titled with the application's
// name, owned by the calling thread's main window when it has one. Thread
// messages posted meanwhile are still handled (message-filter hook).

#include "framework/ModuleState.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt of the current resource source.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
