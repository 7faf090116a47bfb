#include "standins/ijl11/JpegCodec.h"

#include "standins/ijl11/JpegStreamCheck.h"

#include <turbojpeg.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace kq::ijl {
namespace {

constexpr int kMinQuality = 1;
constexpr int kMaxQuality = 100;
constexpr int kMaxPadBytes = 3;
constexpr int kMaxSide = 8192; // larger than any screen
constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr int kGreyChannels = 1;

// Bottom-up DIB rows; the output buffer is never grown (it holds the worst case).
constexpr int kEncodeFlags = TJFLAG_BOTTOMUP | TJFLAG_NOREALLOC;
// A received stream: any warning (corrupt or cut data) ends the decoding as
// an error, and a progressive stream may not carry endless scans.
constexpr int kDecodeFlags = TJFLAG_BOTTOMUP | TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;

struct CodecCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Codec = std::unique_ptr<void, CodecCloser>;

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

// A whole stream ends with the end-of-image marker; a cut one does not.
bool EndsWithEndOfImage(const uint8_t* bytes, size_t length)
{
    return length >= 2 && bytes[length - 2] == kMarkerPrefix && bytes[length - 1] == kEndOfImage;
}

// The record's chroma sub-sampling; 4:2:0 unless it asks for another.
int Subsampling(int32_t jpgSubsampling)
{
    switch (jpgSubsampling) {
    case IJL_NONE:
        return TJSAMP_444;
    case IJL_422:
        return TJSAMP_422;
    default:
        return TJSAMP_420;
    }
}

int ChannelsOf(int colourspace)
{
    switch (colourspace) {
    case TJCS_GRAY:
        return kGreyChannels;
    case TJCS_RGB:
    case TJCS_YCbCr:
        return kIjlChannels;
    default:
        return 0; // CMYK and YCCK are not pictures of a screen
    }
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

    // The encoder writes into a buffer of its worst case: the caller's when
    // it is that large, else the record's scratch buffer, copied out after.
    const int subsampling = Subsampling(p.JPGSubsampling);
    const unsigned long worst = tjBufSize(p.DIBWidth, p.DIBHeight, subsampling);
    if (worst == static_cast<unsigned long>(-1))
        return IJL_BAD_PARAMETER;
    const auto room = static_cast<size_t>(p.JPGSizeBytes);
    const bool direct = room >= worst;
    if (!direct && !EnsureScratch(p, worst))
        return IJL_MEMORY_ERROR;
    Codec codec(tjInitCompress());
    if (!codec)
        return IJL_MEMORY_ERROR;
    unsigned char* out = direct ? p.JPGBytes : p.scratch;
    unsigned long length = 0;
    const int quality = p.jquality < kMinQuality ? kMinQuality : p.jquality > kMaxQuality ? kMaxQuality : p.jquality;
    if (tjCompress2(codec.get(), p.DIBBytes, p.DIBWidth, static_cast<int>(DibRowBytes(p)), p.DIBHeight, TJPF_BGR,
                    &out, &length, subsampling, quality, kEncodeFlags) != 0 ||
        length == 0)
        return IJL_BAD_STREAM;
    if (length > room)
        return IJL_BUFFER_TOO_SMALL;
    if (!direct)
        std::memcpy(p.JPGBytes, out, length);
    p.JPGSizeBytes = static_cast<int32_t>(length);
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
    if (!EndsWithEndOfImage(p.JPGBytes, length) || !HuffmanTablesSound(p.JPGBytes, length))
        return IJL_BAD_STREAM;

    // Size and channels first: nothing is decoded for a stream of another size.
    Codec codec(tjInitDecompress());
    if (!codec)
        return IJL_MEMORY_ERROR;
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(codec.get(), p.JPGBytes, length, &width, &height, &subsampling, &colourspace) != 0)
        return IJL_BAD_STREAM;
    const int channels = ChannelsOf(colourspace);
    if (channels == 0)
        return IJL_BAD_STREAM;
    p.JPGWidth = width;
    p.JPGHeight = height;
    p.JPGChannels = channels;
    if (width != p.DIBWidth || height != p.DIBHeight)
        return IJL_SIZE_MISMATCH;

    // Straight into the DIB's bottom-up rows; the padding is zeroed.
    const size_t dibRow = DibRowBytes(p);
    if (tjDecompress2(codec.get(), p.JPGBytes, length, p.DIBBytes, width, static_cast<int>(dibRow), height,
                      TJPF_BGR, kDecodeFlags) != 0)
        return IJL_BAD_STREAM;
    if (p.DIBPadBytes > 0) {
        const size_t pixels = static_cast<size_t>(width) * kIjlChannels;
        for (size_t row = 0; row < static_cast<size_t>(height); ++row)
            std::memset(p.DIBBytes + row * dibRow + pixels, 0, static_cast<size_t>(p.DIBPadBytes));
    }
    return IJL_OK;
}

} // namespace kq::ijl
