#include "standins/quizhall/PaperWindow.h"

#include "standins/common/StandinWindows.h"

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 420;

using kq::standin::ThisModule;

} // namespace

HWND PaperWindow::Show(const std::string& title, const std::string& text)
{
    kq::standin::RegisterWindowClass(kClassName, &WindowProc, kq::standin::ColourBrush(COLOR_BTNFACE));
    HWND window = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, ThisModule(), nullptr);
    if (window == nullptr)
        return nullptr;
    RECT client;
    GetClientRect(window, &client);
    CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
        client.right, client.bottom, window, nullptr, ThisModule(), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void PaperWindow::ShowModal(const std::string& title, const std::string& text)
{
    kq::standin::RunMessageLoopWhile(Show(title, text)); // a quit is left for the host's loop
}

LRESULT CALLBACK PaperWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
