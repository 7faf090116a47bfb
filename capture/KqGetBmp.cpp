// KqGetBmp.dll: the screen capture service of the broadcast engine. One
// export selects an operation by code; DirectDraw stays set up between calls,
// and the DirectDraw codes fall back to GDI when it cannot be set up. Calls
// may come from several threads (an engine's opener and its sender, two
// engines in one process): one lock keeps the DirectDraw objects whole while
// a call sets them up, uses or releases them.

#include "common/KqCaptureRequest.h"
#include "capture/DirectDrawCapture.h"
#include "capture/GdiCapture.h"

#include <mutex>

namespace {

CDirectDrawCapture g_directDraw;
std::mutex g_directDrawLock;

constexpr uint16_t kVersionMajor = 0;
constexpr uint16_t kVersionMinor = 1;

int CaptureDirect(void* record, bool offscreenCopy, kq::capture::Delivery delivery)
{
    if (record == nullptr)
        return 0;
    auto& request = *static_cast<KqCaptureRequest*>(record);
    std::lock_guard<std::mutex> hold(g_directDrawLock);
    const int result = g_directDraw.Capture(request, offscreenCopy, delivery);
    if (result != CDirectDrawCapture::kUseGdi)
        return result;
    return CGdiCapture::Capture(request, delivery == kq::capture::Delivery::Bgr24);
}

} // namespace

extern "C" int32_t KqGetScreen_Service(uint32_t code, void* record)
{
    using kq::capture::Delivery;
    switch (code) {
    case KQ_CAPTURE_VERSION: {
        if (record == nullptr)
            return 0;
        auto& version = *static_cast<KqCaptureVersion*>(record);
        version.majorVersion = kVersionMajor;
        version.minorVersion = kVersionMinor;
        return 1;
    }
    case KQ_CAPTURE_SET_UP: {
        std::lock_guard<std::mutex> hold(g_directDrawLock);
        return g_directDraw.SetUp();
    }
    case KQ_CAPTURE_RELEASE: {
        std::lock_guard<std::mutex> hold(g_directDrawLock);
        return g_directDraw.Release();
    }
    case KQ_CAPTURE_PRIMARY:
        return CaptureDirect(record, false, Delivery::DisplayDepth);
    case KQ_CAPTURE_PRIMARY_24:
        return CaptureDirect(record, false, Delivery::Bgr24);
    case KQ_CAPTURE_OFFSCREEN:
        return CaptureDirect(record, true, Delivery::DisplayDepth);
    case KQ_CAPTURE_OFFSCREEN_24:
        return CaptureDirect(record, true, Delivery::Bgr24);
    case KQ_CAPTURE_GDI:
    case KQ_CAPTURE_GDI_24:
        if (record == nullptr)
            return 0;
        return CGdiCapture::Capture(*static_cast<KqCaptureRequest*>(record), code == KQ_CAPTURE_GDI_24);
    default:
        return 0;
    }
}
