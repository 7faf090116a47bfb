#pragma once
// Quizhall.dll, the online test library, student side, by name.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>

// S_StartTest's results that the agent tells the student about.
inline constexpr int kQuizNotReached = -1;
inline constexpr int kQuizRefused = -2;
inline constexpr int kQuizBusy = -100; // tried once more after a fresh start

extern "C" int S_InitStudent(HWND window);
// address in network byte order; port as the teacher's command carried it.
extern "C" int S_StartTest(int kind, const char* seat, uint32_t address, uint16_t port);
extern "C" int S_LengthenTime(int minutes);
extern "C" int S_FinishTest();
extern "C" int S_AbortTest();
extern "C" int S_ShowPaperAndAnswer();
extern "C" int S_UnInitStudent();
