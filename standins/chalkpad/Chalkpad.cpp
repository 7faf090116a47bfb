// Chalkpad.exe: the whiteboard the teacher opens from the program folder.
// A plain drawing window: the left mouse button draws.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <windowsx.h>

#include "standins/common/StandinWindows.h"
#include "standins/common/Trace.h"

namespace {

constexpr char kModule[] = "Chalkpad";
constexpr char kWindowClass[] = "ChalkpadBoard";
constexpr char kWindowTitle[] = "电子白板";
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kPenWidth = 3;

POINT g_last{};

void DrawTo(HWND window, LPARAM lParam)
{
    const POINT next{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HDC dc = GetDC(window);
    HPEN pen = CreatePen(PS_SOLID, kPenWidth, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, g_last.x, g_last.y, nullptr);
    LineTo(dc, next.x, next.y);
    SelectObject(dc, old);
    DeleteObject(pen);
    ReleaseDC(window, dc);
    g_last = next;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        g_last = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        SetCapture(window);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON)
            DrawTo(window, lParam);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    kq::Trace(kModule, "start program=%s", path);
    kq::standin::RegisterWindowClass(kWindowClass, WindowProcedure, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                                     IDC_CROSS, instance);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, show);
    kq::standin::RunMessageLoop();
    return 0;
}
