#include "standins/lectern/LockScreen.h"

#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {
constexpr char kClassName[] = "KqLecternLock";
constexpr char kNotice[] = "教师已锁定本机屏幕，请注意听讲。";
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(255, 255, 255);
} // namespace

bool LockScreen::Show(const std::string& background, const std::string& text)
{
    text_ = text;
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, TRUE);
        return true;
    }
    if (!standin::RegisterWindowClass(kClassName, WindowProc))
        return false;
    if (!background.empty())
        picture_ = static_cast<HBITMAP>(
            LoadImageA(nullptr, background.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_VISIBLE,
                              GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                              nullptr, nullptr, ThisModule(), this);
    if (window_ == nullptr) {
        Hide();
        return false;
    }
    return true;
}

void LockScreen::Hide()
{
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
        text_.clear();
        UnregisterClassA(kClassName, ThisModule()); // not left behind when the library is unloaded
    }
    if (picture_ != nullptr) {
        DeleteObject(picture_);
        picture_ = nullptr;
    }
}

void LockScreen::Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT area;
    GetClientRect(hwnd, &area);
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    BITMAP info = {};
    const bool picture = picture_ != nullptr && GetObjectA(picture_, sizeof info, &info) != 0;
    if (picture) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture_);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    const char* text = !text_.empty() ? text_.c_str() : (picture ? nullptr : kNotice);
    if (text != nullptr) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kText);
        DrawTextA(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK LockScreen::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<LockScreen*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (self != nullptr) {
            self->Paint(hwnd);
            return 0;
        }
        break;
    case WM_CLOSE:
        return 0; // only the teacher lifts the lock
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            return 0;
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace kq::lectern
