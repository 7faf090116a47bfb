// InstallerProbe.exe: stands in for an installer in tests. Started, it
// leaves the file "<its own path>.started" and ends.

#include <windows.h>

int main()
{
    char path[MAX_PATH + 16] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    ::lstrcatA(path, ".started");
    HANDLE marker = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(marker);
    return 0;
}
