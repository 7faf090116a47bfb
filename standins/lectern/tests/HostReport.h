#pragma once
// Shared by the two test hosts of the classroom test: the report file they
// leave on their PC's C: drive, one line per thing seen, and small helpers.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kq::lectern::host {

inline std::string g_reportPath;

// Appends one line and closes the file at once, so nothing is lost when the
// process ends abruptly.
inline void Report(const char* format, ...)
{
    FILE* file = std::fopen(g_reportPath.c_str(), "a");
    if (file == nullptr)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

// The hosts' command line starts with the report file and the lesson's
// length in seconds; `needed` counts the program's name too. Sets the report
// path and the lesson's deadline (GetTickCount64); false when too short.
inline bool ReadLessonArguments(int argc, char** argv, int needed, ULONGLONG& deadline)
{
    constexpr ULONGLONG kMsPerSecond = 1000;
    if (argc < needed)
        return false;
    g_reportPath = argv[1];
    deadline = GetTickCount64() + static_cast<ULONGLONG>(std::atoi(argv[2])) * kMsPerSecond;
    return true;
}

inline std::string Dotted(uint32_t address)
{
    in_addr a = {};
    a.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    return inet_ntop(AF_INET, &a, text, sizeof text) ? text : "?";
}

// A plain window of the given class whose messages go to `proc`.
inline HWND MakeWindow(const char* className, WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// An export by ordinal, as the programs link Lectern.dll.
template <typename Function>
Function Ordinal(HMODULE module, WORD ordinal)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

// The classroom of the test: Multi_MainIP 227.1.1.7, classroom 3, MainPort 2002.
constexpr uint16_t kMainPort = 2002;
constexpr char kBaseAddress[] = "227.1.1.7";
constexpr uint8_t kClassroom = 3;
constexpr uint16_t kVersion = 300;
constexpr UINT_PTR kScenarioTimer = 1;
constexpr UINT kScenarioTickMs = 100;

} // namespace kq::lectern::host
