#pragma once
// Ending the Windows session for the agent: the shutdown privilege, then the
// end itself through kq::agent::EndSession (which a test build replaces).

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

// On an NT-family system enables the shutdown privilege first; when that
// fails (ERROR_NOT_ALL_ASSIGNED included) nothing further happens. Returns
// true when the end was asked for.
bool EndWindowsSession(UINT flags);

} // namespace kq
