#pragma once
// Calls of the outside components the main window makes at start and exit:
// the online test library and the video library. (The transport's are in
// standins/lectern/LecternTeacher.h, the transfer library's in
// standins/kqtransmit/KqTransmit.h.)

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

// Quizhall.dll: the library posts its events to the window it was given.
extern "C" int T_InitTeacher(HWND window);
extern "C" int T_UnInitTeacher();

// KqVideoS.dll, ordinal 1: mode 0 with no record stops a video broadcast.
extern "C" int KqVideoSControl(int mode, void* record);
inline constexpr int kVideoStop = 0;
