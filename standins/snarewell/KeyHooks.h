#pragma once
// The two low-level keyboard hooks. The key hook reports every key to a
// window (for remote control); the start-key hook swallows the keys that open
// the start menu while a viewer covers the screen. Both run on the installing
// thread, which must pump messages.

#include <windows.h>

namespace snarewell {

bool InstallKeyHook(HWND target);
void UninstallKeyHook();

bool InstallStartKeyHook();
void UninstallStartKeyHook();

// The WM_KEYDOWN-style flags of a low-level key event: repeat count 1, scan
// code, extended and context bits, and previous state and transition on release.
LPARAM KeyFlags(const KBDLLHOOKSTRUCT& key);

} // namespace snarewell
