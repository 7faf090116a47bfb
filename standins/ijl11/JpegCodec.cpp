#include "standins/ijl11/JpegCodec.h"

#define STBI_NO_STDIO
#include "stb_image.h"
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace kq::ijl {
namespace {

constexpr int kMinQuality = 1;
constexpr int kMaxQuality = 100;
constexpr int kMaxPadBytes = 3;
constexpr int kMaxSide = 8192; // as the decoder's cap
constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kEndOfImage = 0xD9;

// Where the encoder's output goes: never past `room`.
struct OutputSink {
    uint8_t* bytes;
    size_t room;
    size_t length;
    bool overflow;
};

void WriteToSink(void* context, void* data, int size)
{
    auto& sink = *static_cast<OutputSink*>(context);
    const auto n = static_cast<size_t>(size);
    if (sink.overflow || size < 0 || n > sink.room - sink.length) {
        sink.overflow = true;
        return;
    }
    std::memcpy(sink.bytes + sink.length, data, n);
    sink.length += n;
}

bool DibValid(const JPEG_CORE_PROPERTIES& p)
{
    return p.DIBBytes != nullptr && p.DIBWidth > 0 && p.DIBWidth <= kMaxSide && p.DIBHeight > 0 &&
           p.DIBHeight <= kMaxSide && p.DIBPadBytes >= 0 && p.DIBPadBytes <= kMaxPadBytes &&
           p.DIBChannels == kIjlChannels && p.DIBColor == IJL_BGR;
}

bool EnsureScratch(JPEG_CORE_PROPERTIES& p, size_t bytes)
{
    if (p.scratchSize >= bytes)
        return true;
    void* grown = std::realloc(p.scratch, bytes);
    if (grown == nullptr)
        return false;
    p.scratch = static_cast<uint8_t*>(grown);
    p.scratchSize = bytes;
    return true;
}

// A whole stream ends with the end-of-image marker; a cut one does not
// (stb would decode its missing tail as grey rather than fail).
bool EndsWithEndOfImage(const uint8_t* bytes, size_t length)
{
    return length >= 2 && bytes[length - 2] == kMarkerPrefix && bytes[length - 1] == kEndOfImage;
}

} // namespace

size_t DibRowBytes(const JPEG_CORE_PROPERTIES& p)
{
    return static_cast<size_t>(p.DIBWidth) * kIjlChannels + static_cast<size_t>(p.DIBPadBytes);
}

int32_t Init(JPEG_CORE_PROPERTIES& p)
{
    std::memset(&p, 0, sizeof p);
    p.DIBChannels = kIjlChannels;
    p.DIBColor = IJL_BGR;
    p.DIBSubsampling = IJL_NONE;
    p.JPGChannels = kIjlChannels;
    p.JPGColor = IJL_YCBCR;
    p.JPGSubsampling = IJL_411;
    p.jquality = kIjlDefaultQuality;
    p.initialised = kIjlInitialisedMarker;
    return IJL_OK;
}

int32_t Free(JPEG_CORE_PROPERTIES& p)
{
    if (p.initialised != kIjlInitialisedMarker)
        return IJL_INVALID_ENCODER;
    std::free(p.scratch);
    p.scratch = nullptr;
    p.scratchSize = 0;
    p.initialised = 0;
    return IJL_OK;
}

int32_t Write(JPEG_CORE_PROPERTIES& p, int32_t ioType)
{
    if (p.initialised != kIjlInitialisedMarker)
        return IJL_INVALID_ENCODER;
    if (ioType != IJL_JBUFF_WRITEWHOLEIMAGE)
        return IJL_UNSUPPORTED_IO;
    if (!DibValid(p) || p.JPGBytes == nullptr || p.JPGSizeBytes <= 0 || p.JPGChannels != kIjlChannels)
        return IJL_BAD_PARAMETER;

    // Padded bottom-up BGR rows become the top-down RGB rows stb reads.
    const auto width = static_cast<size_t>(p.DIBWidth);
    const auto height = static_cast<size_t>(p.DIBHeight);
    const size_t pixelRow = width * kIjlChannels;
    if (!EnsureScratch(p, pixelRow * height))
        return IJL_MEMORY_ERROR;
    const size_t dibRow = DibRowBytes(p);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* source = p.DIBBytes + (height - 1 - y) * dibRow;
        uint8_t* target = p.scratch + y * pixelRow;
        for (size_t x = 0; x < width; ++x) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            source += kIjlChannels;
            target += kIjlChannels;
        }
    }

    const int quality = p.jquality < kMinQuality ? kMinQuality : p.jquality > kMaxQuality ? kMaxQuality : p.jquality;
    OutputSink sink = {p.JPGBytes, static_cast<size_t>(p.JPGSizeBytes), 0, false};
    const int ok = stbi_write_jpg_to_func(WriteToSink, &sink, p.DIBWidth, p.DIBHeight, kIjlChannels, p.scratch,
                                          quality);
    if (sink.overflow)
        return IJL_BUFFER_TOO_SMALL;
    if (ok == 0 || sink.length == 0)
        return IJL_BAD_STREAM;
    p.JPGSizeBytes = static_cast<int32_t>(sink.length);
    p.JPGWidth = p.DIBWidth;
    p.JPGHeight = p.DIBHeight;
    return IJL_OK;
}

int32_t Read(JPEG_CORE_PROPERTIES& p, int32_t ioType)
{
    if (p.initialised != kIjlInitialisedMarker)
        return IJL_INVALID_ENCODER;
    if (ioType != IJL_JBUFF_READWHOLEIMAGE)
        return IJL_UNSUPPORTED_IO;
    if (!DibValid(p) || p.JPGBytes == nullptr || p.JPGSizeBytes <= 0)
        return IJL_BAD_PARAMETER;
    const auto length = static_cast<size_t>(p.JPGSizeBytes);
    if (!EndsWithEndOfImage(p.JPGBytes, length))
        return IJL_BAD_STREAM;

    // Size and channels first: nothing is decoded for a stream of another size.
    int width = 0, height = 0, channels = 0;
    if (stbi_info_from_memory(p.JPGBytes, p.JPGSizeBytes, &width, &height, &channels) == 0)
        return IJL_BAD_STREAM;
    if (channels != kIjlChannels && channels != 1)
        return IJL_BAD_STREAM;
    p.JPGWidth = width;
    p.JPGHeight = height;
    p.JPGChannels = channels;
    if (width != p.DIBWidth || height != p.DIBHeight)
        return IJL_SIZE_MISMATCH;

    int decodedWidth = 0, decodedHeight = 0, decodedChannels = 0;
    uint8_t* rgb = stbi_load_from_memory(p.JPGBytes, p.JPGSizeBytes, &decodedWidth, &decodedHeight,
                                         &decodedChannels, kIjlChannels);
    if (rgb == nullptr)
        return IJL_BAD_STREAM;
    if (decodedWidth != p.DIBWidth || decodedHeight != p.DIBHeight) {
        stbi_image_free(rgb);
        return IJL_SIZE_MISMATCH;
    }

    // Top-down RGB becomes padded bottom-up BGR; the padding is zeroed.
    const auto w = static_cast<size_t>(width);
    const auto h = static_cast<size_t>(height);
    const size_t dibRow = DibRowBytes(p);
    for (size_t y = 0; y < h; ++y) {
        const uint8_t* source = rgb + y * w * kIjlChannels;
        uint8_t* target = p.DIBBytes + (h - 1 - y) * dibRow;
        for (size_t x = 0; x < w; ++x) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            source += kIjlChannels;
            target += kIjlChannels;
        }
        std::memset(target, 0, static_cast<size_t>(p.DIBPadBytes));
    }
    stbi_image_free(rgb);
    return IJL_OK;
}

} // namespace kq::ijl
