#include "student/PowerControl.h"

#include "student/AgentHooks.h"

namespace kq {

namespace {

bool EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = ::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) != FALSE;
    if (enabled) {
        // AdjustTokenPrivileges succeeds even when it assigned nothing: the
        // last error tells.
        ::SetLastError(ERROR_SUCCESS);
        enabled = ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != FALSE &&
                  ::GetLastError() == ERROR_SUCCESS;
    }
    ::CloseHandle(token);
    return enabled;
}

bool IsNtFamily()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

bool EndWindowsSession(UINT flags)
{
    if (IsNtFamily() && !EnableShutdownPrivilege())
        return false;
    return agent::EndSession(flags) != FALSE;
}

} // namespace kq
