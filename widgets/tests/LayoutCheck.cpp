#include "widgets/tests/LayoutCheck.h"

#include <cstring>
#include <fstream>

namespace kqtest {

namespace {

constexpr int kClassNameSize = 64;
constexpr int kTextSize = 1024;
constexpr WORD kBitsPerPixel = 24;
constexpr WORD kBitmapSignature = 0x4D42; // "BM"

std::string ClassOf(HWND control)
{
    char name[kClassNameSize] = {};
    ::GetClassNameA(control, name, sizeof name);
    return name;
}

std::string Describe(HWND control)
{
    char text[kTextSize] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return ClassOf(control) + " " + std::to_string(::GetDlgCtrlID(control)) + " \"" + text + "\"";
}

// The size the control's text takes in its own font: on one line, or
// broken into lines `wrapWidth` wide when that is above 0.
SIZE TextSize(HWND control, const std::string& text, int wrapWidth)
{
    HDC dc = ::GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    RECT box = {0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    if (old != nullptr)
        ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

void CheckText(HWND control, std::vector<std::string>& faults)
{
    const std::string cls = ClassOf(control);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    const bool button = _stricmp(cls.c_str(), "Button") == 0;
    const bool label = _stricmp(cls.c_str(), "Static") == 0;
    const bool edit = _stricmp(cls.c_str(), "Edit") == 0;
    if (!button && !label && !edit)
        return;
    if (button && (style & BS_TYPEMASK) == BS_OWNERDRAW)
        return; // draws a face of its own
    char text[kTextSize] = {};
    ::GetWindowTextA(control, text, sizeof text);
    const LONG kind = style & BS_TYPEMASK;
    const bool box = button && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                                kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE);
    if (box && text[0] == '\0')
        return; // a bare box whose caption is part of the background: no text to cut
    RECT client;
    ::GetClientRect(control, &client);
    const bool wraps = label && (style & SS_TYPEMASK) == SS_LEFT;
    const SIZE needed = TextSize(control, text[0] != '\0' ? text : "Ag", wraps ? client.right : 0);
    // A scrolling edit may hold more than it shows; its line must fit in height.
    const bool widthMatters = text[0] != '\0' && !(edit && (style & ES_AUTOHSCROLL) != 0) && !wraps;
    if (widthMatters && needed.cx > client.right)
        faults.push_back(Describe(control) + ": text " + std::to_string(needed.cx) + " wide in " +
                         std::to_string(client.right));
    if (needed.cy > client.bottom)
        faults.push_back(Describe(control) + ": text " + std::to_string(needed.cy) + " high in " +
                         std::to_string(client.bottom));
}

} // namespace

std::vector<std::string> LayoutFaults(HWND window)
{
    std::vector<std::string> faults;
    RECT area;
    ::GetClientRect(window, &area);
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT place;
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if (place.left < area.left || place.top < area.top || place.right > area.right || place.bottom > area.bottom)
            faults.push_back(Describe(child) + ": at " + std::to_string(place.left) + "," + std::to_string(place.top) +
                             "-" + std::to_string(place.right) + "," + std::to_string(place.bottom) + " outside " +
                             std::to_string(area.right) + "x" + std::to_string(area.bottom));
        CheckText(child, faults);
    }
    return faults;
}

std::string ShotPath(const std::string& name)
{
    char folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("KQ_SHOTS", folder, sizeof folder) == 0) {
        ::GetTempPathA(sizeof folder, folder);
        std::strncat(folder, "kq-shots", sizeof folder - std::strlen(folder) - 1);
    }
    ::CreateDirectoryA(folder, nullptr);
    return std::string(folder) + "\\" + name + ".bmp";
}

bool SaveScreenShot(HWND window, const std::string& name)
{
    RECT place;
    if (!::GetWindowRect(window, &place))
        return false;
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0)
        return false;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as the file keeps it
    header.biPlanes = 1;
    header.biBitCount = kBitsPerPixel;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture =
        ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (picture != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, picture);
        ::BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
        ::GdiFlush();
        const DWORD stride = ((width * kBitsPerPixel / 8) + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = kBitmapSignature;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + imageSize;
        std::ofstream out(ShotPath(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(static_cast<const char*>(bits), imageSize);
        saved = out.good();
        ::SelectObject(memory, old);
        ::DeleteObject(picture);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace kqtest
