#pragma once
// The portable core behind ijl11.dll: whole-image JPEG encoding and decoding
// in memory over libjpeg-turbo's TurboJPEG interface. The decoder reads data
// received from the network, so the stream's structure and size are checked
// before a byte is written.

#include "standins/ijl11/JpegProperties.h"

namespace kq::ijl {

// Sets the record's defaults and keeps no buffer.
int32_t Init(JPEG_CORE_PROPERTIES& p);
// Frees the scratch buffer; the record must be initialised again before use.
int32_t Free(JPEG_CORE_PROPERTIES& p);
// Encodes the DIB into JPGBytes at jquality; JPGSizeBytes becomes the length.
int32_t Write(JPEG_CORE_PROPERTIES& p, int32_t ioType);
// Decodes the stream in JPGBytes/JPGSizeBytes into the DIB, whose size must be
// the stream's.
int32_t Read(JPEG_CORE_PROPERTIES& p, int32_t ioType);

// Bytes of one DIB row: the pixels and the padding.
size_t DibRowBytes(const JPEG_CORE_PROPERTIES& p);

} // namespace kq::ijl
