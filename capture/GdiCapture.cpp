#include "capture/GdiCapture.h"

#include "capture/CaptureGeometry.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>

namespace {

constexpr int kBits16 = 16;
constexpr int kBits24 = 24;
constexpr int kMaxColours = 256;

// A bitmap header with room for a full colour table.
struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colours[kMaxColours];
};

// The display and memory contexts of one call, deleted on every path.
class CaptureContexts {
public:
    CaptureContexts()
    {
        m_display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        if (m_display != nullptr)
            m_memory = CreateCompatibleDC(m_display);
    }
    ~CaptureContexts()
    {
        if (m_memory != nullptr)
            DeleteDC(m_memory);
        if (m_display != nullptr)
            DeleteDC(m_display);
    }
    CaptureContexts(const CaptureContexts&) = delete;
    CaptureContexts& operator=(const CaptureContexts&) = delete;

    bool Ready() const { return m_display != nullptr && m_memory != nullptr; }
    HDC Display() const { return m_display; }
    HDC Memory() const { return m_memory; }

private:
    HDC m_display = nullptr;
    HDC m_memory = nullptr;
};

// Copies one area of the screen into `buffer`; the part beyond the screen's
// right edge (widening) is black, i.e. zero.
bool CaptureArea(const CaptureContexts& dc, BitmapInfo256& info, const kq::capture::CaptureArea& area,
                 int screenWidth, uint8_t* buffer)
{
    HBITMAP bitmap = CreateCompatibleBitmap(dc.Display(), area.width, area.height);
    if (bitmap == nullptr)
        return false;
    HGDIOBJ previous = SelectObject(dc.Memory(), bitmap);
    const int visible = std::clamp(screenWidth - area.x, 0, area.width);
    bool ok = previous != nullptr && PatBlt(dc.Memory(), 0, 0, area.width, area.height, BLACKNESS) &&
              (visible == 0 ||
               BitBlt(dc.Memory(), 0, 0, visible, area.height, dc.Display(), area.x, area.y, SRCCOPY));
    if (previous != nullptr)
        SelectObject(dc.Memory(), previous);

    if (ok) {
        BITMAPINFOHEADER& h = info.header;
        h.biWidth = area.width;
        h.biHeight = area.height; // positive: bottom-up
        h.biSizeImage = static_cast<DWORD>(((area.width * h.biBitCount + 31) / 32) * 4 * area.height);
        h.biXPelsPerMeter = 0;
        h.biYPelsPerMeter = 0;
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        ok = GetDIBits(dc.Display(), bitmap, 0, static_cast<UINT>(area.height), buffer,
                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == area.height;
    }
    DeleteObject(bitmap);
    return ok;
}

} // namespace

int CGdiCapture::DeliveredBitsPerPixel(bool always24)
{
    if (always24)
        return kBits24;
    HDC display = GetDC(nullptr);
    const int bits = GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES);
    ReleaseDC(nullptr, display);
    return bits >= kBits24 ? kBits24 : kBits16;
}

int CGdiCapture::Capture(KqCaptureRequest& request, bool always24)
{
    if (request.count > 0 && (request.rects == nullptr || request.buffers == nullptr))
        return 0;
    BitmapInfo256 info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biPlanes = 1;
    info.header.biCompression = BI_RGB;
    info.header.biBitCount = static_cast<WORD>(DeliveredBitsPerPixel(always24));

    CaptureContexts dc;
    if (!dc.Ready())
        return 0;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    for (uint16_t i = 0; i < request.count; ++i) {
        KqCaptureRect& rect = request.rects[i];
        if (kq::capture::IsEmpty(rect))
            continue;
        if (!kq::capture::ClampToScreen(rect, screenWidth, screenHeight))
            continue;
        kq::capture::Widen(rect, kq::capture::kGdiWideningStep);
        if (request.buffers[i] == nullptr)
            continue;
        if (!CaptureArea(dc, info, kq::capture::AreaOf(rect), screenWidth, request.buffers[i]))
            return 0;
    }
    request.bitsPerPixel = static_cast<int16_t>(info.header.biBitCount);
    return 1;
}
