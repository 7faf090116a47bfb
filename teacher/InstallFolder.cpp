#include "teacher/InstallFolder.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

bool ReadInstallFolder(std::string& folder)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char path[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH; // one byte stays for the terminator
    DWORD type = 0;
    const LONG result =
        ::RegQueryValueExA(key, kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    folder = path;
    return true;
}

} // namespace kq
