#include "standins/snarewell/MouseShapeHook.h"

#include "common/CursorShape.h"
#include "framework/InstanceHandle.h"
#include "standins/snarewell/CursorPlanes.h"

namespace {

constexpr char kNotifierClass[] = "SnarewellCursorNotifier";
constexpr UINT_PTR kLookTimer = 1;
// Time for the window under the mouse to set its cursor before we look.
constexpr UINT kLookDelayMs = 20;

MouseShapeHook* g_installed = nullptr; // the hook procedure has no context of its own

// The bitmap's pixels, top-down, 32 bits each.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
        DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return lines == height;
}

bool ReadCursor(HCURSOR cursor, kq::CursorImage& image)
{
    ICONINFO icon = {};
    if (!GetIconInfo(cursor, &icon))
        return false;
    BITMAP mask = {};
    bool read = GetObjectA(icon.hbmMask, sizeof mask, &mask) == sizeof mask;
    if (read) {
        image.width = mask.bmWidth;
        image.height = icon.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
        image.hotSpotX = icon.xHotspot;
        image.hotSpotY = icon.yHotspot;
        read = image.width > 0 && image.height > 0
            && ReadPixels(icon.hbmMask, mask.bmWidth, mask.bmHeight, image.mask);
        if (read && icon.hbmColor != nullptr)
            read = ReadPixels(icon.hbmColor, image.width, image.height, image.color);
    }
    DeleteObject(icon.hbmMask);
    if (icon.hbmColor != nullptr)
        DeleteObject(icon.hbmColor);
    return read;
}

} // namespace

bool MouseShapeHook::Install(HWND target)
{
    Uninstall();
    m_mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kq::kCursorShapeMapping);
    if (m_mapping == nullptr) // the engine makes it first; make it ourselves if not
        m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
            sizeof(kq::CursorShape), kq::kCursorShapeMapping);
    if (m_mapping != nullptr)
        m_view = MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(kq::CursorShape));
    if (m_view == nullptr) {
        Uninstall();
        return false;
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &NotifierProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.lpszClassName = kNotifierClass;
    RegisterClassA(&windowClass);
    m_notifier = CreateWindowExA(0, kNotifierClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
        AfxGetInstanceHandle(), nullptr);
    m_hook = SetWindowsHookExA(WH_MOUSE_LL, &HookProc, AfxGetInstanceHandle(), 0);
    if (m_notifier == nullptr || m_hook == nullptr) {
        Uninstall();
        return false;
    }
    m_target = target;
    m_lastCursor = nullptr;
    m_reported = false;
    g_installed = this;
    CheckCursor(); // the receivers start from the present shape
    return true;
}

void MouseShapeHook::Uninstall()
{
    if (g_installed == this)
        g_installed = nullptr;
    if (m_hook != nullptr)
        UnhookWindowsHookEx(m_hook);
    if (m_notifier != nullptr) {
        // Windows are destroyed by their own thread.
        if (GetWindowThreadProcessId(m_notifier, nullptr) == GetCurrentThreadId())
            DestroyWindow(m_notifier);
        else
            SendMessageA(m_notifier, WM_CLOSE, 0, 0);
    }
    if (m_view != nullptr)
        UnmapViewOfFile(m_view);
    if (m_mapping != nullptr)
        CloseHandle(m_mapping);
    m_hook = nullptr;
    m_notifier = nullptr;
    m_view = nullptr;
    m_mapping = nullptr;
    m_target = nullptr;
}

void MouseShapeHook::CheckCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    const bool shown = GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0
        && info.hCursor != nullptr;
    const HCURSOR cursor = shown ? info.hCursor : nullptr;
    if (m_reported && cursor == m_lastCursor)
        return;
    m_lastCursor = cursor;
    m_reported = true;

    kq::CursorImage image;
    auto* shape = static_cast<kq::CursorShape*>(m_view);
    const bool written = cursor != nullptr && ReadCursor(cursor, image)
        && kq::FillCursorShape(image, *shape);
    PostMessageA(m_target, kq::kWmCursorShapeChanged, written ? 1 : 0, 0);
}

LRESULT CALLBACK MouseShapeHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_installed != nullptr)
        SetTimer(g_installed->m_notifier, kLookTimer, kLookDelayMs, nullptr); // restarts it
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseShapeHook::NotifierProc(HWND window, UINT message, WPARAM wParam,
    LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kLookTimer) {
        KillTimer(window, kLookTimer);
        if (g_installed != nullptr && g_installed->m_notifier == window)
            g_installed->CheckCursor();
        return 0;
    }
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
