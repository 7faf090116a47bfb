#pragma once
// The calls of the agent that a test build replaces: the environment check
// and the end of the Windows session. Student.exe links AgentHooks.cpp; the
// test agent links its own pair, so no test can reach ExitWindowsEx (under
// Wine it ends every process of the prefix). The drive type is replaced the
// same way, by the library each links (common/DriveType.h).

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq::agent {

// KqCheck.dll's KqTest (ordinal 1).
int EnvironmentCheck(const char* path, int mode);
// ExitWindowsEx(flags, 0).
BOOL EndSession(UINT flags);

} // namespace kq::agent
