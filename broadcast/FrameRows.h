#pragma once
// The rows of a received screen as the receiver keeps them: bottom-up, each
// padded to 4 bytes, as GDI reads a device-independent bitmap, so that the
// viewer hands the frame buffer to GDI as it is. The frame buffer, the
// decoded JPEG blocks and the viewer count rows by this one rule; a zlib
// block arrives with the sender's packed rows and is composed into it.
// Portable.

#include <cstdint>

inline constexpr uint64_t kFrameRowAlignBytes = 4;

// Bytes of one row of `width` pixels at `bitsPerPixel`.
constexpr uint64_t FrameRowBytes(uint64_t width, uint64_t bitsPerPixel)
{
    constexpr uint64_t kAlignBits = kFrameRowAlignBytes * 8;
    return (width * bitsPerPixel + kAlignBits - 1) / kAlignBits * kFrameRowAlignBytes;
}

static_assert(FrameRowBytes(13, 24) == 40 && FrameRowBytes(64, 24) == 192 && FrameRowBytes(3, 8) == 4);
