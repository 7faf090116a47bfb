#pragma once
// The Win32 headers, in the one order that works: winsock2 before windows.h
// (the multicast options of the old winsock.h are wrong for ws2_32).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <mbstring.h>
