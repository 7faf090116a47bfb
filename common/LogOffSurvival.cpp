#include "common/LogOffSurvival.h"

#include <windows.h>

namespace kq {

void SurviveLogOffOnWindows98()
{
    constexpr DWORD kMajor98 = 4;
    constexpr DWORD kMinor98 = 10;
    constexpr DWORD kRegisterService = 1;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version) || version.dwMajorVersion != kMajor98 || version.dwMinorVersion != kMinor98)
        return;
    HMODULE kernel = ::LoadLibraryA("Kernel32.dll");
    if (kernel == nullptr)
        return;
    using RegisterServiceProcess = DWORD(WINAPI*)(DWORD, DWORD);
    if (auto call = reinterpret_cast<RegisterServiceProcess>(
            reinterpret_cast<void*>(::GetProcAddress(kernel, "RegisterServiceProcess"))))
        call(::GetCurrentProcessId(), kRegisterService);
    ::FreeLibrary(kernel);
}

} // namespace kq
