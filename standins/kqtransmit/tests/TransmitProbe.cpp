// One side of a file distribution on a classroom PC, for the end-to-end test:
//
//   TransmitProbe send SOURCE RECEIVING_FOLDER TARGETS SECONDS
//   TransmitProbe recv REPORT_FILE SECONDS
//
// Both use the default groups and port of the file sending dialogs. Exit 0
// when the library reported success and its counters reached the total.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "standins/kqtransmit/KqTransmit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr WORD kPort = 6001;
constexpr int kNoEnd = 99;
constexpr int kBadUse = 2;

// Waits up to `seconds` for the library's end message of `event`.
int WaitForEnd(HWND window, WPARAM event, int seconds)
{
    SetTimer(window, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            return kNoEnd;
        if (msg.message == kTransmitDoneMessage && msg.wParam == event)
            return static_cast<int>(msg.lParam);
        DispatchMessageA(&msg);
    }
    return kNoEnd;
}

int Send(HWND window, const char* source, const char* folder, int targets, int seconds)
{
    if (InitSender(inet_addr("234.5.6.7"), inet_addr("234.6.7.8"), htons(kPort), window) != 0)
        return kBadUse;
    const DWORD attributes = GetFileAttributesA(source);
    const bool isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    const WORD count = static_cast<WORD>(targets);
    const int started = isFolder ? SendDirectory(source, folder, 0, count) : SendFile(source, folder, 0, count);
    const int result = started == 0 ? WaitForEnd(window, kTransmitSent, seconds) : started;
    std::printf("sent result=%d total=%lu sent=%lu\n", result, g_dwTotalToBeSend, g_dwSended);
    UnInitSender();
    return result == 0 && g_dwTotalToBeSend > 0 && g_dwSended == g_dwTotalToBeSend ? 0 : 1;
}

int Receive(HWND window, const char* report, int seconds)
{
    InitReceiver(inet_addr("234.6.7.8"), inet_addr("234.5.6.7"), htons(kPort), window);
    char location[1024] = {};
    RecvDir(location, sizeof location);
    const int result = WaitForEnd(window, kTransmitReceived, seconds);
    UnInitReceiver();
    FILE* out = std::fopen(report, "w");
    if (out != nullptr) {
        std::fprintf(out, "%s\n%d %lu %lu\n", location, result, g_dwTotalToBeRecv, g_dwReceived);
        std::fclose(out);
    }
    return result == 0 && g_dwTotalToBeRecv > 0 && g_dwReceived == g_dwTotalToBeRecv ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (argc == 6 && std::strcmp(argv[1], "send") == 0)
        return Send(window, argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
    if (argc == 4 && std::strcmp(argv[1], "recv") == 0)
        return Receive(window, argv[2], std::atoi(argv[3]));
    std::fprintf(stderr, "usage: TransmitProbe send SOURCE FOLDER TARGETS SECONDS | recv REPORT SECONDS\n");
    return kBadUse;
}
