#include "standins/snarewell/KeyHooks.h"

#include "common/CursorShape.h"
#include "framework/InstanceHandle.h"

#include <atomic>

namespace snarewell {

namespace {

constexpr LPARAM kRepeatOnce = 1;
constexpr int kScanShift = 16;
constexpr LPARAM kExtendedBit = LPARAM(1) << 24;
constexpr LPARAM kAltBit = LPARAM(1) << 29;
constexpr LPARAM kReleaseBits = (LPARAM(1) << 30) | (LPARAM(1) << 31);
constexpr LRESULT kSwallow = 1;

HHOOK g_keyHook = nullptr;
std::atomic<HWND> g_keyTarget = nullptr;
HHOOK g_startKeyHook = nullptr;

LRESULT CALLBACK KeyHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageA(g_keyTarget, kq::kWmHookKey, key.vkCode, KeyFlags(key));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool OpensStartMenu(const KBDLLHOOKSTRUCT& key)
{
    if (key.vkCode == VK_LWIN || key.vkCode == VK_RWIN)
        return true;
    return key.vkCode == VK_ESCAPE && (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

LRESULT CALLBACK StartKeyHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && OpensStartMenu(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)))
        return kSwallow;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

LPARAM KeyFlags(const KBDLLHOOKSTRUCT& key)
{
    LPARAM flags = kRepeatOnce | (static_cast<LPARAM>(key.scanCode & 0xFF) << kScanShift);
    if (key.flags & LLKHF_EXTENDED)
        flags |= kExtendedBit;
    if (key.flags & LLKHF_ALTDOWN)
        flags |= kAltBit;
    if (key.flags & LLKHF_UP)
        flags |= kReleaseBits;
    return flags;
}

bool InstallKeyHook(HWND target)
{
    UninstallKeyHook();
    g_keyTarget = target;
    g_keyHook = SetWindowsHookExA(WH_KEYBOARD_LL, &KeyHookProc, AfxGetInstanceHandle(), 0);
    return g_keyHook != nullptr;
}

void UninstallKeyHook()
{
    if (g_keyHook != nullptr)
        UnhookWindowsHookEx(g_keyHook);
    g_keyHook = nullptr;
    g_keyTarget = nullptr;
}

bool InstallStartKeyHook()
{
    UninstallStartKeyHook();
    g_startKeyHook = SetWindowsHookExA(WH_KEYBOARD_LL, &StartKeyHookProc, AfxGetInstanceHandle(), 0);
    return g_startKeyHook != nullptr;
}

void UninstallStartKeyHook()
{
    if (g_startKeyHook != nullptr)
        UnhookWindowsHookEx(g_startKeyHook);
    g_startKeyHook = nullptr;
}

} // namespace snarewell
