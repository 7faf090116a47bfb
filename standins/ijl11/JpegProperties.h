#pragma once
// The properties record of the JPEG interface (ijl11.dll): what the screen
// sender and the screen viewer hand the codec for one whole image in memory.
// Both sides of the record are ours; the field names are the interface's.
//
// The DIB is 24-bit BGR, rows bottom-up when DIBHeight is positive (the only
// orientation supported), each row followed by DIBPadBytes bytes so that rows
// start on 4-byte boundaries. The JPEG side is one baseline stream in
// JPGBytes, of JPGSizeBytes bytes (write: the room there; after a successful
// write, the stream's length).

#include <cstddef>
#include <cstdint>

enum IjlColor : int32_t {
    IJL_OTHER = 0,
    IJL_G = 1,
    IJL_RGB = 2,
    IJL_BGR = 3,
    IJL_YCBCR = 4,
};

enum IjlSubsampling : int32_t {
    IJL_NONE = 0,
    IJL_411 = 1, // chroma halved in both directions
    IJL_422 = 2,
};

enum IjlIoType : int32_t {
    IJL_JBUFF_READWHOLEIMAGE = 4,
    IJL_JBUFF_WRITEWHOLEIMAGE = 12,
};

// Results: 0 success, negative on error.
enum IjlResult : int32_t {
    IJL_OK = 0,
    IJL_INVALID_ENCODER = -1,   // the record was not initialised
    IJL_BAD_PARAMETER = -2,     // a null buffer, a size or channel count out of range
    IJL_UNSUPPORTED_IO = -3,    // only the whole-image-in-memory operations exist
    IJL_BUFFER_TOO_SMALL = -4,  // the encoded stream would not fit JPGSizeBytes
    IJL_BAD_STREAM = -5,        // truncated, corrupt or unreadable stream
    IJL_SIZE_MISMATCH = -6,     // the stream's size is not the DIB's
    IJL_MEMORY_ERROR = -7,
};

inline constexpr int32_t kIjlInitialisedMarker = 0x4A504547; // "JPEG"
inline constexpr int kIjlChannels = 3;
inline constexpr int kIjlDefaultQuality = 75;

struct JPEG_CORE_PROPERTIES {
    // The device-independent bitmap.
    uint8_t* DIBBytes;
    int32_t DIBWidth;
    int32_t DIBHeight;       // positive: rows bottom-up
    int32_t DIBPadBytes;     // 0 to 3 bytes after each row
    int32_t DIBChannels;     // 3
    int32_t DIBColor;        // IJL_BGR
    int32_t DIBSubsampling;  // IJL_NONE

    // The JPEG stream.
    const char* JPGFile;     // files are not supported; always null
    uint8_t* JPGBytes;
    int32_t JPGSizeBytes;
    int32_t JPGWidth;
    int32_t JPGHeight;
    int32_t JPGChannels;     // 3
    int32_t JPGColor;        // IJL_YCBCR
    int32_t JPGSubsampling;  // write: IJL_411 (4:2:0, also for other values), IJL_422 or IJL_NONE (4:4:4)
    int32_t jquality;        // 1 to 100

    // Ours: the encoder's output buffer when JPGSizeBytes is less than the
    // worst case of the picture, kept between calls so that steady encoding
    // allocates nothing new; freed by ijlFree.
    uint8_t* scratch;
    size_t scratchSize;
    int32_t initialised;     // kIjlInitialisedMarker between ijlInit and ijlFree
};

// The exports of ijl11.dll, by ordinal: ijlInit 2, ijlFree 3, ijlRead 4,
// ijlWrite 5.
using IjlInitProc = int32_t (*)(JPEG_CORE_PROPERTIES* properties);
using IjlFreeProc = int32_t (*)(JPEG_CORE_PROPERTIES* properties);
using IjlReadProc = int32_t (*)(JPEG_CORE_PROPERTIES* properties, int32_t ioType);
using IjlWriteProc = int32_t (*)(JPEG_CORE_PROPERTIES* properties, int32_t ioType);
inline constexpr unsigned kIjlInitOrdinal = 2;
inline constexpr unsigned kIjlFreeOrdinal = 3;
inline constexpr unsigned kIjlReadOrdinal = 4;
inline constexpr unsigned kIjlWriteOrdinal = 5;
