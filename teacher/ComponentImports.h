#pragma once
// Calls of the outside components the main window makes at start and exit:
// the online test library and the video library. (The transport's are in
// standins/lectern/LecternTeacher.h, the transfer library's in
// standins/kqtransmit/KqTransmit.h.)

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/TestStartRecord.h"

#include <cstdint>

// Quizhall.dll: the library posts its events to the window it was given
// (kq::kWmTestNotify). Results are used only where the test page says so.
extern "C" int T_InitTeacher(HWND window);
extern "C" int T_UnInitTeacher();
extern "C" int T_CreatePaper();
extern "C" int T_OpenAndShowPaper(const char* paperPath);
extern "C" int T_StartTest(const kq::TestStartRecord* record, const char* paperPath, const char* answerPath,
                           uint16_t targetCount);
extern "C" int T_AbortTest();
extern "C" int T_FinishTest();
extern "C" int T_CommantPaper(const char* paperPath);
extern "C" int T_StatTest(char* answerPath);

// KqVideoS.dll, ordinal 1: mode 0 with no record stops a video broadcast.
extern "C" int KqVideoSControl(int mode, void* record);
inline constexpr int kVideoStop = 0;
