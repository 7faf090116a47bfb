#include "broadcast/JpegBlockDecoder.h"

#include "broadcast/FrameRows.h"

#include <limits>

namespace {

constexpr uint64_t kBgrBytes = 3;
constexpr uint64_t kBgrBits = 24;

} // namespace

bool DecodeJpegBlock(const IjlEntries& ijl, const uint8_t* stream, size_t length, uint8_t* out, size_t capacity,
                     uint32_t width, uint32_t height, uint16_t quality)
{
    constexpr auto kMaxInt = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    const uint64_t row = width * kBgrBytes;
    const uint64_t paddedRow = FrameRowBytes(width, kBgrBits);
    if (!ijl.init || !ijl.read || !ijl.free || stream == nullptr || out == nullptr || length == 0 ||
        length > kMaxInt || width == 0 || height == 0 || width > kMaxInt || height > kMaxInt ||
        paddedRow * height > capacity)
        return false;
    JPEG_CORE_PROPERTIES p = {};
    if (ijl.init(&p) != IJL_OK)
        return false;
    p.DIBBytes = out;
    p.DIBWidth = static_cast<int32_t>(width);
    p.DIBHeight = static_cast<int32_t>(height);
    p.DIBPadBytes = static_cast<int32_t>(paddedRow - row);
    p.DIBChannels = kIjlChannels;
    p.DIBColor = IJL_BGR;
    p.DIBSubsampling = IJL_NONE;
    p.JPGFile = nullptr;
    p.JPGBytes = const_cast<uint8_t*>(stream); // only read by the decoder
    p.JPGSizeBytes = static_cast<int32_t>(length);
    p.JPGWidth = static_cast<int32_t>(width);
    p.JPGHeight = static_cast<int32_t>(height);
    p.JPGChannels = kIjlChannels;
    p.JPGColor = IJL_YCBCR;
    p.JPGSubsampling = IJL_411;
    p.jquality = quality;
    const bool ok = ijl.read(&p, IJL_JBUFF_READWHOLEIMAGE) == IJL_OK;
    ijl.free(&p);
    return ok;
}
