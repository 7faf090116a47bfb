// The hook library's exports for the screen broadcast engine: the
// mouse-shape hook of the cursor sender, the keyboard hook of the remote
// controlling viewer and the start-key hook of an open viewer.

#include <windows.h>

#include "standins/common/Trace.h"
#include "standins/snarewell/KeyHooks.h"
#include "standins/snarewell/MouseShapeHook.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "Snarewell";

MouseShapeHook g_mouseShapeHook;

unsigned HandleText(HWND window)
{
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

} // namespace

extern "C" BOOL DoInstallMouseShapeHook(HWND window)
{
    kq::Trace(kModule, "DoInstallMouseShapeHook window=%08x", HandleText(window));
    return g_mouseShapeHook.Install(window);
}

extern "C" BOOL DoUninstallMouseShapeHook()
{
    kq::Trace(kModule, "DoUninstallMouseShapeHook");
    g_mouseShapeHook.Uninstall();
    return TRUE;
}

extern "C" BOOL DoInstallKeyBDHook(HWND window)
{
    kq::Trace(kModule, "DoInstallKeyBDHook window=%08x", HandleText(window));
    return snarewell::InstallKeyHook(window);
}

extern "C" BOOL DoUninstallKeyBDHook()
{
    kq::Trace(kModule, "DoUninstallKeyBDHook");
    snarewell::UninstallKeyHook();
    return TRUE;
}

extern "C" BOOL DoInstallStartKeyHook()
{
    kq::Trace(kModule, "DoInstallStartKeyHook");
    return snarewell::InstallStartKeyHook();
}

extern "C" BOOL DoUninstallStartKeyHook()
{
    kq::Trace(kModule, "DoUninstallStartKeyHook");
    snarewell::UninstallStartKeyHook();
    return TRUE;
}
