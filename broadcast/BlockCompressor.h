#pragma once
// Compresses one captured block for the wire: a zlib-format stream (lossless,
// made by libdeflate) over the capture service's layout, or JPEG through
// ijl11.dll from 24-bit rows. Each sender keeps one compressor: the deflate
// compressor and the JPEG properties record stay between frames, so their
// buffers are allocated once.

#include "standins/ijl11/JpegProperties.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct libdeflate_compressor;

class CBlockCompressor {
public:
    CBlockCompressor() = default;
    ~CBlockCompressor() { Release(); }
    CBlockCompressor(const CBlockCompressor&) = delete;
    CBlockCompressor& operator=(const CBlockCompressor&) = delete;

    // Compresses `width` x `height` pixels of `source` (bottom-up rows at
    // `bitsPerPixel`) into `target` of `capacity` bytes. The stream's length,
    // or 0 when the compressor failed or the stream did not fit.
    size_t Compress(uint8_t compression, const uint8_t* source, uint32_t width, uint32_t height,
                    uint32_t bitsPerPixel, uint16_t quality, uint8_t* target, size_t capacity);
    // Frees the codecs' state (at the sender's end).
    void Release();

private:
    size_t CompressZlib(const uint8_t* source, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                        uint8_t* target, size_t capacity);
    size_t CompressJpeg(const uint8_t* source, uint32_t width, uint32_t height, uint16_t quality, uint8_t* target,
                        size_t capacity);

    struct DeflateFree {
        void operator()(libdeflate_compressor* compressor) const;
    };

    std::unique_ptr<libdeflate_compressor, DeflateFree> m_deflate;
    JPEG_CORE_PROPERTIES m_jpeg = {};
    bool m_jpegReady = false;
};
