#include "broadcast/SenderGeometry.h"

#include "broadcast/MirageDatagram.h"
#include "broadcast/OsKind.h"
#include "common/KqCaptureRequest.h"

#include <algorithm>

namespace {

constexpr uint32_t kWidthStep = 4;
constexpr uint32_t kDirectMinWidth = 640;
constexpr uint32_t kDirectMinHeight = 480;
// Windows 2000, XP and Server 2003 use the off-screen copy.
constexpr uint16_t kFirstOffscreenOsKind = OS_KIND_WINDOWS_2000;
constexpr uint16_t kLastOffscreenOsKind = OS_KIND_WINDOWS_2003;
constexpr uint32_t kBgr24Bytes = 3;
constexpr uint32_t kRowAlign = 4;
constexpr size_t kZlibSourceSlack = 2048;
constexpr uint32_t kBitsPerByte = 8;

} // namespace

SendExtent ClampToFrameClass(int32_t screenWidth, int32_t screenHeight, uint32_t classWidth,
                             uint32_t classHeight)
{
    const auto width = static_cast<uint32_t>(std::max(screenWidth, 0));
    const auto height = static_cast<uint32_t>(std::max(screenHeight, 0));
    SendExtent extent = {std::min(width, classWidth), std::min(height, classHeight)};
    extent.width -= extent.width % kWidthStep;
    return extent;
}

CaptureChoice ChooseCaptureCode(CapturePurpose purpose, uint8_t compression, uint16_t osKind, uint32_t width,
                                uint32_t height, bool directCapture)
{
    const bool zlib = compression == MIRAGE_COMPRESSION_ZLIB;
    if (directCapture && width >= kDirectMinWidth && height >= kDirectMinHeight) {
        const bool offscreen = osKind >= kFirstOffscreenOsKind && osKind <= kLastOffscreenOsKind;
        if (zlib)
            return {offscreen ? KQ_CAPTURE_OFFSCREEN : KQ_CAPTURE_PRIMARY, true};
        return {offscreen ? KQ_CAPTURE_OFFSCREEN_24 : KQ_CAPTURE_PRIMARY_24, true};
    }
    if (purpose == CapturePurpose::Snapshot && !zlib)
        return {KQ_CAPTURE_GDI_24, false};
    return {KQ_CAPTURE_OFFSCREEN_24, false};
}

int32_t Bgr24PadBytes(uint32_t width)
{
    const uint32_t row = kBgr24Bytes * width;
    return static_cast<int32_t>(((row + kRowAlign - 1) / kRowAlign) * kRowAlign - row);
}

size_t ZlibSourceLength(uint32_t width, uint32_t height, uint32_t bitsPerPixel)
{
    return static_cast<size_t>(height) * width * bitsPerPixel / kBitsPerByte + kZlibSourceSlack;
}
