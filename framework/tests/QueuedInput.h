#pragma once
// The queue as the tests' pumps read it and typed text as the keyboard puts
// it there, shared by the test-support libraries of every folder.

#include "framework/Framework.h"

#include <functional>
#include <string>

namespace kqtest {

// Reads and dispatches one message through the library's chain, as its own
// loops do. False when the queue is empty or holds WM_QUIT (put back).
inline bool PumpOneMessage()
{
    MSG msg;
    if (!AfxPeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!AfxPreTranslateMessage(&msg))
        AfxDispatchMessage(&msg);
    return true;
}

// Pumps until done() holds, waiting for the queue between rounds; false when
// the time ran out first.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    constexpr DWORD kPumpSliceMs = 10;
    const DWORD start = ::GetTickCount();
    for (;;) {
        while (PumpOneMessage()) {
            if (done())
                return true;
        }
        if (done())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMs, QS_ALLINPUT);
    }
}

// Queues `text` (code page text) to a window as the keyboard does: one wide
// WM_CHAR per character.
inline void PostTyped(HWND window, const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size())));
    for (WCHAR typed : wide)
        ::PostMessageW(window, WM_CHAR, typed, 1);
}

} // namespace kqtest
