#pragma once
// The start-up check: on a PC in per-host mode it waits until the per-host
// copy of student.ini is complete, then it reads the edition and runs the
// environment check. It runs on a worker thread while the frame's creation
// waits for it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "student/KqCheckImports.h"

class CMainFrame;

// Exit codes of the check.
inline constexpr DWORD kStartupGoOn = 0;
inline constexpr DWORD kStartupStop = 2; // the check has closed the frame

// The whole check; `check` is the environment check to call.
DWORD RunStartupCheck(CMainFrame& frame, KqTestFunction check);
// The thread procedure (parameter: the frame), calling KqTest.
DWORD WINAPI StartupCheckThread(LPVOID frame);
