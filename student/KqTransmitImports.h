#pragma once
// KqTransmit.dll, the file and folder transfer library, student side, by
// name. Its end message is WM_TRANSMIT_DONE (0xBEE), wParam one of the
// events below, lParam the result.
//
// Addresses are 32-bit values in network byte order. InitReceiver takes its
// port in network byte order; the file client and the folder calls take the
// port as the teacher's command carried it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

inline constexpr WPARAM kTransmitReceiveEnded = 2;
inline constexpr WPARAM kTransmitFileHandedIn = 15;
inline constexpr WPARAM kTransmitHandInFailed = 16;
inline constexpr WPARAM kTransmitDirectoryFailed = 21;
inline constexpr WPARAM kTransmitDirectoryReceived = 22;

// The multicast receiver of a distributed file or folder.
extern "C" int InitReceiver(DWORD sendGroup, DWORD receiveGroup, WORD portNetwork, HWND window);
extern "C" int RecvFile(char* location, int size);
extern "C" int RecvDir(char* location, int size);
extern "C" int UnInitReceiver();
// Its progress: total and received bytes of the running receive.
extern "C" __declspec(dllimport) volatile DWORD g_dwTotalToBeRecv;
extern "C" __declspec(dllimport) volatile DWORD g_dwReceived;

// The hand-in file client.
extern "C" int StartFileClient(DWORD address, WORD port, int kind, const char* path, const char* seat,
                               HWND window);
extern "C" int QuitFileClient();

// Folder serving between student PCs, and the folder client.
extern "C" int StartServerToSendDir(const char* folder, HWND window, WORD port);
extern "C" int EndServerToSendDir();
extern "C" int StartClientToRecvDir(const char* folder, HWND window, DWORD address, WORD port);
extern "C" int EndClientToRecvDir();
