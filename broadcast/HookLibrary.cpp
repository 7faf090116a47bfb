#include "broadcast/HookLibrary.h"

namespace {

constexpr char kLibrary[] = "Snarewell.dll";
using InstallKeyProc = BOOL(WINAPI*)(HWND);
using NoArgumentProc = BOOL(WINAPI*)();

} // namespace

CHookLibrary& HookLibrary()
{
    static CHookLibrary library;
    return library;
}

FARPROC CHookLibrary::Entry(const char* name)
{
    if (m_module == nullptr)
        m_module = LoadLibraryA(kLibrary);
    return m_module != nullptr ? GetProcAddress(m_module, name) : nullptr;
}

bool CHookLibrary::InstallKeyHook(HWND target)
{
    auto install = reinterpret_cast<InstallKeyProc>(reinterpret_cast<void*>(Entry("DoInstallKeyBDHook")));
    return install != nullptr && install(target) != FALSE;
}

void CHookLibrary::UninstallKeyHook()
{
    if (auto remove = reinterpret_cast<NoArgumentProc>(reinterpret_cast<void*>(Entry("DoUninstallKeyBDHook"))))
        remove();
}

void CHookLibrary::InstallStartKeyHook()
{
    if (auto install = reinterpret_cast<NoArgumentProc>(reinterpret_cast<void*>(Entry("DoInstallStartKeyHook"))))
        install();
}

void CHookLibrary::UninstallStartKeyHook()
{
    if (auto remove = reinterpret_cast<NoArgumentProc>(reinterpret_cast<void*>(Entry("DoUninstallStartKeyHook"))))
        remove();
}
