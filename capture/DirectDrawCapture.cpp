#include "capture/DirectDrawCapture.h"

#include "capture/CaptureGeometry.h"

namespace {

using kq::capture::Delivery;
using kq::capture::PaletteEntry;
using kq::capture::SurfaceView;

constexpr int kMaxPaletteEntries = 256;

// Reads the first `count` entries of the system palette; false when it fails.
bool ReadSystemPalette(PaletteEntry* entries, UINT count)
{
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display == nullptr)
        return false;
    const UINT read = GetSystemPaletteEntries(display, 0, count, reinterpret_cast<PALETTEENTRY*>(entries));
    DeleteDC(display);
    return read == count;
}

template <typename T>
void ReleaseAndClear(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

int CDirectDrawCapture::SetUp()
{
    Release(); // a second set-up must not leak the first one's objects
    if (FAILED(DirectDrawCreate(nullptr, &m_directDraw, nullptr))) {
        m_directDraw = nullptr;
        return 0;
    }
    if (FAILED(m_directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) {
        ReleaseAndClear(m_directDraw);
        return 0;
    }
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (FAILED(m_directDraw->CreateSurface(&desc, &m_primary, nullptr))) {
        m_primary = nullptr;
        ReleaseAndClear(m_directDraw);
        return 0;
    }
    return 1;
}

int CDirectDrawCapture::Release()
{
    ReleaseAndClear(m_primary);
    ReleaseAndClear(m_directDraw);
    return 1;
}

IDirectDrawSurface* CDirectDrawCapture::CopyScreen()
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    IDirectDrawSurface* copy = nullptr;
    if (FAILED(m_directDraw->CreateSurface(&desc, &copy, nullptr)))
        return nullptr;
    RECT whole = {0, 0, width, height};
    if (FAILED(copy->BltFast(0, 0, m_primary, &whole, DDBLTFAST_NOCOLORKEY))) {
        copy->Release();
        return nullptr;
    }
    return copy;
}

int CDirectDrawCapture::Capture(KqCaptureRequest& request, bool offscreenCopy, Delivery delivery)
{
    if (m_primary == nullptr) {
        Release();
        if (SetUp() == 0)
            return kUseGdi;
    }

    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_ALL;
    if (FAILED(m_primary->GetSurfaceDesc(&desc))) {
        Release();
        return 0;
    }
    const int depth = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount);
    const uint32_t greenMask = desc.ddpfPixelFormat.dwGBitMask;
    request.bitsPerPixel = static_cast<int16_t>(kq::capture::DeliveredBitsPerPixel(depth, Delivery::DisplayDepth));

    IDirectDrawSurface* copy = nullptr;
    if (offscreenCopy) {
        copy = CopyScreen();
        if (copy == nullptr) {
            Release();
            return 0;
        }
    }
    IDirectDrawSurface* source = copy != nullptr ? copy : m_primary;

    DDSURFACEDESC locked = {};
    locked.dwSize = sizeof locked;
    if (FAILED(source->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
        ReleaseAndClear(copy);
        Release();
        return 0;
    }
    SurfaceView surface;
    surface.pixels = static_cast<const uint8_t*>(locked.lpSurface);
    surface.pitch = locked.lPitch;
    surface.width = static_cast<int>(locked.dwWidth);
    surface.height = static_cast<int>(locked.dwHeight);
    surface.bitsPerPixel = depth;
    surface.greenMask = greenMask;

    const int result = CopyRectangles(request, surface, delivery);
    source->Unlock(nullptr);
    ReleaseAndClear(copy);
    if (result != 0 && delivery == Delivery::Bgr24)
        request.bitsPerPixel = static_cast<int16_t>(kq::capture::DeliveredBitsPerPixel(depth, delivery));
    return result;
}

int CDirectDrawCapture::CopyRectangles(KqCaptureRequest& request, const SurfaceView& surface,
                                       Delivery delivery)
{
    if (request.count > 0 && (request.rects == nullptr || request.buffers == nullptr))
        return 0;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const UINT paletteEntries = static_cast<UINT>(kq::capture::PaletteEntriesFor(surface.bitsPerPixel));
    PaletteEntry palette[kMaxPaletteEntries] = {};
    bool paletteRead = false;

    for (uint16_t i = 0; i < request.count; ++i) {
        KqCaptureRect& rect = request.rects[i];
        if (kq::capture::IsEmpty(rect))
            continue;
        if (!kq::capture::ClampToScreen(rect, screenWidth, screenHeight))
            continue;
        kq::capture::Widen(rect, kq::capture::WideningStep(surface.bitsPerPixel));
        uint8_t* buffer = request.buffers[i];
        if (buffer == nullptr)
            continue;
        if (paletteEntries > 0 && !paletteRead) {
            if (!ReadSystemPalette(palette, paletteEntries))
                return 0; // DirectDraw stays set up
            paletteRead = true;
        }
        kq::capture::CopyArea(surface, kq::capture::AreaOf(rect), delivery, palette, buffer);
    }
    return 1;
}
