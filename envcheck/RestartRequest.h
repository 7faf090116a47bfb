#pragma once
// The restart request of KqReboot. KqCheck.dll links RestartRequest.cpp
// (ExitWindowsEx); the library's test build links its own, which only
// traces the request: under Wine a real one ends every process of the
// prefix.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq::check {

// ExitWindowsEx(flags, 0).
BOOL RequestRestart(UINT flags);

} // namespace kq::check
