#pragma once
// Decoding one received JPEG block through the JPEG interface's properties
// record: 24-bit BGR rows, bottom-up, padded to 4 bytes, of exactly the
// block's size. The interface's entries are passed in, so the engine (the
// library loaded at run time) and the native tests (its core) share this.

#include "standins/ijl11/JpegProperties.h"

#include <cstddef>
#include <cstdint>
#include <functional>

struct IjlEntries {
    std::function<int32_t(JPEG_CORE_PROPERTIES*)> init;
    std::function<int32_t(JPEG_CORE_PROPERTIES*)> free;
    std::function<int32_t(JPEG_CORE_PROPERTIES*, int32_t)> read;
};

// False when the stream is damaged, of another size, or the rows would not
// fit `capacity`. The properties record is freed in every case.
bool DecodeJpegBlock(const IjlEntries& ijl, const uint8_t* stream, size_t length, uint8_t* out, size_t capacity,
                     uint32_t width, uint32_t height, uint16_t quality);
