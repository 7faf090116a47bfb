#pragma once
// The calls of the agent that a test build replaces: the environment check,
// the drive type of the system drive and the end of the Windows session. Student.exe links
// AgentHooks.cpp; the test agent links its own pair, so no test can reach
// ExitWindowsEx (under Wine it ends every process of the prefix).

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq::agent {

// KqCheck.dll's KqTest (ordinal 1).
int EnvironmentCheck(const char* path, int mode);
// GetDriveTypeA(root).
unsigned DriveType(const char* root);
// ExitWindowsEx(flags, 0).
BOOL EndSession(UINT flags);

} // namespace kq::agent
