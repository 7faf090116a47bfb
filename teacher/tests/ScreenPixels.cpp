#include "teacher/tests/ScreenPixels.h"

#include "standins/common/tests/ProgramInstall.h"

#include <commctrl.h>

namespace kqtest {

namespace {

constexpr int kIconSize = 32;
// The part of a seat icon that is opaque everywhere: the monitor's screen.
constexpr RECT kIconScreen = {4, 5, 28, 21};

// Draws into a 32-bit top-down surface of `width` x `height` and returns
// the pixels of `area`.
template <typename Draw>
std::vector<COLORREF> Capture(int width, int height, const RECT& area, Draw draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP surface = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<COLORREF> pixels;
    if (surface != nullptr) {
        HGDIOBJ previous = ::SelectObject(memory, surface);
        draw(memory);
        ::GdiFlush();
        const auto* row = static_cast<const DWORD*>(bits);
        for (LONG y = area.top; y < area.bottom; ++y) {
            for (LONG x = area.left; x < area.right; ++x)
                pixels.push_back(row[y * width + x] & 0xFFFFFF);
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(surface);
    }
    ::DeleteDC(memory);
    return pixels;
}

} // namespace

std::vector<COLORREF> ScreenPixels(HWND window, const RECT& inClient)
{
    POINT origin = {inClient.left, inClient.top};
    ::ClientToScreen(window, &origin);
    const int width = inClient.right - inClient.left;
    const int height = inClient.bottom - inClient.top;
    return Capture(width, height, RECT{0, 0, width, height}, [&](HDC memory) {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    });
}

namespace {

// How many pixels of the button's middle row differ from bitmap `face`; -1
// when the bitmap does not load.
int FaceMismatches(HWND button, HMODULE resources, UINT face)
{
    HBITMAP bitmap = ::LoadBitmapA(resources, MAKEINTRESOURCEA(face));
    if (bitmap == nullptr)
        return -1;
    BITMAP size = {};
    ::GetObjectA(bitmap, sizeof size, &size);
    const RECT middleRow = {0, size.bmHeight / 2, size.bmWidth, size.bmHeight / 2 + 1};
    const std::vector<COLORREF> expected = Capture(size.bmWidth, size.bmHeight, middleRow, [&](HDC memory) {
        HDC source = ::CreateCompatibleDC(memory);
        HGDIOBJ previous = ::SelectObject(source, bitmap);
        ::BitBlt(memory, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        ::SelectObject(source, previous);
        ::DeleteDC(source);
    });
    ::DeleteObject(bitmap);
    ::RedrawWindow(button, nullptr, nullptr, RDW_UPDATENOW);
    const std::vector<COLORREF> shown = ScreenPixels(button, middleRow);
    if (expected.empty() || shown.size() != expected.size())
        return -1;
    int mismatches = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        mismatches += expected[i] != shown[i] ? 1 : 0;
    return mismatches;
}

} // namespace

bool ShowsFace(HWND button, HMODULE resources, UINT face, DWORD ms)
{
    return kq::standin::WaitFor([&] { return FaceMismatches(button, resources, face) == 0; }, ms);
}

SeatIcons::SeatIcons(HMODULE resources, const std::vector<std::pair<int, UINT>>& states)
{
    HIMAGELIST list = ImageList_Create(kIconSize, kIconSize, ILC_MASK | ILC_COLOR8, 1, 1);
    for (const auto& [state, iconId] : states) {
        HICON icon = static_cast<HICON>(
            ::LoadImageA(resources, MAKEINTRESOURCEA(iconId), IMAGE_ICON, kIconSize, kIconSize, 0));
        const int index = ImageList_AddIcon(list, icon);
        if (icon != nullptr)
            ::DestroyIcon(icon);
        for (UINT style : {ILD_NORMAL, ILD_SELECTED}) {
            m_looks.push_back({state, Capture(kIconSize, kIconSize, kIconScreen, [&](HDC memory) {
                                   ImageList_Draw(list, index, memory, 0, 0, style);
                               })});
        }
    }
    ImageList_Destroy(list);
}

SeatIcons::~SeatIcons() = default;

int SeatIcons::Shown(HWND seat) const
{
    RECT client = {};
    ::GetClientRect(seat, &client);
    const int left = (client.right - kIconSize) / 2;
    const RECT area = {left + kIconScreen.left, kIconScreen.top, left + kIconScreen.right, kIconScreen.bottom};
    const std::vector<COLORREF> shown = ScreenPixels(seat, area);
    for (const Look& look : m_looks) {
        if (look.pixels == shown)
            return look.state;
    }
    return -1;
}

} // namespace kqtest
