#include "standins/common/StandinWindows.h"

#include "framework/InstanceHandle.h"

namespace kq::standin {

HMODULE ThisModule()
{
    return AfxGetInstanceHandle();
}

bool RegisterWindowClass(const char* className, WNDPROC procedure, HBRUSH background, LPCSTR cursor,
                         HMODULE module)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, cursor);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HBRUSH ColourBrush(int colourIndex)
{
    // A class background takes the colour index plus one in place of a brush.
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colourIndex + 1));
}

void RunMessageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void RunMessageLoopWhile(HWND window)
{
    MSG msg;
    while (window != nullptr && IsWindow(window)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void CloseFromAnyThread(HWND window)
{
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        DestroyWindow(window);
    else
        SendMessageA(window, WM_CLOSE, 0, 0);
}

} // namespace kq::standin
