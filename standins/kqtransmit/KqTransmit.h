#pragma once
// KqTransmit.dll: file and folder transfer between the classroom PCs.
//
// The multicast sender and receiver (file distribution), the homework file
// server and its client (hand-in), and the folder server and its client
// (configuration folders, program updates). Every activity runs on a thread
// of its own and reports its end by posting kTransmitDoneMessage to the
// window it was given: wParam = the event below, lParam = the result.
//
// Addresses are 32-bit values in network byte order (as inet_addr gives).
// InitSender and InitReceiver take their port in network byte order; the
// file server's port and the folder server's port are in host order.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>

#if defined(KQTRANSMIT_BUILD)
#define KQTRANSMIT_API extern "C" __declspec(dllexport)
#else
#define KQTRANSMIT_API extern "C" __declspec(dllimport)
#endif

// The end message and its events.
inline constexpr UINT kTransmitDoneMessage = 0xBEE;
inline constexpr WPARAM kTransmitSent = 1;          // SendFile, SendDirectory
inline constexpr WPARAM kTransmitReceived = 2;      // RecvFile, RecvDir
inline constexpr WPARAM kTransmitHandedIn = 15;     // StartFileClient succeeded
inline constexpr WPARAM kTransmitHandInFailed = 16; // StartFileClient failed
inline constexpr WPARAM kTransmitDirFailed = 21;    // StartClientToRecvDir failed
inline constexpr WPARAM kTransmitDirReceived = 22;  // StartClientToRecvDir succeeded

// Results (returned, or posted as lParam).
inline constexpr int kTransmitDone = 0;
inline constexpr int kTransmitFailed = -1;         // files could not be read or written here, or a send failed
inline constexpr int kTransmitUnreachable = -2;    // the other PC could not be reached
inline constexpr int kTransmitBroken = -3;         // the stream broke off or was malformed
inline constexpr int kTransmitRejected = -4;       // the other side did not store it
inline constexpr int kTransmitNothingOffered = -5; // a receive ended without any offer
inline constexpr int kTransmitRefused = -6;        // an offered name or folder was unsafe or too long
inline constexpr int kTransmitAlreadyRunning = -100;

// Multicast sender (teacher's file distribution).
KQTRANSMIT_API int InitSender(DWORD firstGroup, DWORD secondGroup, WORD portNetwork, HWND window);
KQTRANSMIT_API int SendFile(const char* source, const char* receivingFolder, int reserved, WORD targets);
KQTRANSMIT_API int SendDirectory(const char* source, const char* receivingFolder, int reserved, WORD targets);
KQTRANSMIT_API int CancelSendFile();
KQTRANSMIT_API int UnInitSender();

// Multicast receiver (student).
KQTRANSMIT_API int InitReceiver(DWORD sendGroup, DWORD receiveGroup, WORD portNetwork, HWND window);
KQTRANSMIT_API int RecvFile(char* location, int size);
KQTRANSMIT_API int RecvDir(char* location, int size);
KQTRANSMIT_API int UnInitReceiver();

// Progress counters: bytes (in units of 2^k bytes once a total passes 4 GiB).
KQTRANSMIT_API volatile DWORD g_dwTotalToBeSend;
KQTRANSMIT_API volatile DWORD g_dwSended;
KQTRANSMIT_API volatile DWORD g_dwTotalToBeRecv;
KQTRANSMIT_API volatile DWORD g_dwReceived;

// Homework: the teacher's file server and the student's file client.
KQTRANSMIT_API int StartFileServer(const char* folder, HWND window);
KQTRANSMIT_API int QuitFileServer();
KQTRANSMIT_API int StartFileClient(DWORD address, WORD port, int kind, const char* path, const char* seat,
                                   HWND window);
KQTRANSMIT_API int QuitFileClient();

// Folder serving: one PC serves a folder, the others copy it into theirs.
KQTRANSMIT_API int StartServerToSendDir(const char* folder, HWND window, WORD port);
KQTRANSMIT_API int EndServerToSendDir();
KQTRANSMIT_API int StartClientToRecvDir(const char* folder, HWND window, DWORD address, WORD port);
KQTRANSMIT_API int EndClientToRecvDir();
