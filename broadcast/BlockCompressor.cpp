#include "broadcast/BlockCompressor.h"

#include "broadcast/JpegLibrary.h"
#include "broadcast/MirageDatagram.h"
#include "broadcast/SenderGeometry.h"

#include <libdeflate.h>

#include <algorithm>
#include <limits>

namespace {

constexpr int kZlibLevel = 6;
constexpr uint32_t kJpegBitsPerPixel = 24;

} // namespace

size_t CBlockCompressor::Compress(uint8_t compression, const uint8_t* source, uint32_t width, uint32_t height,
                                  uint32_t bitsPerPixel, uint16_t quality, uint8_t* target, size_t capacity)
{
    if (source == nullptr || target == nullptr || width == 0 || height == 0)
        return 0;
    if (compression == MIRAGE_COMPRESSION_ZLIB)
        return CompressZlib(source, width, height, bitsPerPixel, target, capacity);
    if (bitsPerPixel != kJpegBitsPerPixel) // the JPEG capture codes deliver 24 bits; anything else is stale
        return 0;
    return CompressJpeg(source, width, height, quality, target, capacity);
}

void CBlockCompressor::DeflateFree::operator()(libdeflate_compressor* compressor) const
{
    libdeflate_free_compressor(compressor);
}

size_t CBlockCompressor::CompressZlib(const uint8_t* source, uint32_t width, uint32_t height,
                                      uint32_t bitsPerPixel, uint8_t* target, size_t capacity)
{
    if (!m_deflate)
        m_deflate.reset(libdeflate_alloc_compressor(kZlibLevel));
    if (!m_deflate)
        return 0;
    // 0 when the stream did not fit: a failed stream is never sent.
    return libdeflate_zlib_compress(m_deflate.get(), source, ZlibSourceLength(width, height, bitsPerPixel), target,
                                    capacity);
}

size_t CBlockCompressor::CompressJpeg(const uint8_t* source, uint32_t width, uint32_t height, uint16_t quality,
                                      uint8_t* target, size_t capacity)
{
    CJpegLibrary& library = JpegLibrary();
    if (!m_jpegReady) {
        if (!library.Load() || library.Init(&m_jpeg) != IJL_OK)
            return 0;
        m_jpegReady = true;
    }
    m_jpeg.DIBBytes = const_cast<uint8_t*>(source); // only read by the encoder
    m_jpeg.DIBWidth = static_cast<int32_t>(width);
    m_jpeg.DIBHeight = static_cast<int32_t>(height);
    m_jpeg.DIBPadBytes = Bgr24PadBytes(width);
    m_jpeg.DIBChannels = kIjlChannels;
    m_jpeg.DIBColor = IJL_BGR;
    m_jpeg.DIBSubsampling = IJL_NONE;
    m_jpeg.JPGFile = nullptr;
    m_jpeg.JPGBytes = target;
    m_jpeg.JPGSizeBytes = static_cast<int32_t>(std::min<size_t>(capacity, std::numeric_limits<int32_t>::max()));
    m_jpeg.JPGWidth = static_cast<int32_t>(width);
    m_jpeg.JPGHeight = static_cast<int32_t>(height);
    m_jpeg.JPGChannels = kIjlChannels;
    m_jpeg.JPGSubsampling = IJL_411;
    m_jpeg.jquality = quality;
    if (library.Write(&m_jpeg, IJL_JBUFF_WRITEWHOLEIMAGE) != IJL_OK)
        return 0;
    return static_cast<size_t>(m_jpeg.JPGSizeBytes);
}

void CBlockCompressor::Release()
{
    m_deflate.reset();
    if (m_jpegReady)
        JpegLibrary().Free(&m_jpeg);
    m_jpegReady = false;
}
