#pragma once
// A recording on disk: "recindex.idx", an 8-byte head (record count, start
// tick) followed by fixed 40-byte records, and "recdata.dat", the payloads
// of the block records one after the other in record order. A record does
// not say where its payload starts: a reader keeps a running offset.
// Little-endian, packed. Portable.

#include <cstddef>
#include <cstdint>

inline constexpr char kRecordIndexFile[] = "recindex.idx";
inline constexpr char kRecordDataFile[] = "recdata.dat";

enum RecRecordKind : uint8_t {
    REC_KIND_BLOCK = 0,
    REC_KIND_FRAME_END = 1,
};

enum RecEncoding : uint8_t {
    REC_ENCODING_RAW = 0,  // pixels as the frame holds them, rows packed
    REC_ENCODING_JPEG = 1, // a JPEG stream as it came off the wire
};

#pragma pack(push, 1)
struct RecIndexHead {
    uint32_t count;
    uint32_t startTick; // ms of the system tick when the recording started
};

struct RecIndexRecord {
    uint8_t kind;
    uint8_t encoding;
    uint16_t quality;
    uint16_t blockIndex;
    uint16_t left;
    uint16_t top;
    uint16_t right;
    uint16_t bottom;
    uint8_t bitsPerPixel;
    uint8_t unused;
    uint32_t length; // payload bytes in recdata.dat; 0 for a frame end
    uint32_t cursorX;
    uint32_t cursorY;
    uint32_t screenWidth;
    uint32_t screenHeight;
    uint32_t tick;
};
#pragma pack(pop)

static_assert(sizeof(RecIndexHead) == 8);
static_assert(offsetof(RecIndexHead, startTick) == 4);
static_assert(sizeof(RecIndexRecord) == 40);
static_assert(offsetof(RecIndexRecord, encoding) == 1);
static_assert(offsetof(RecIndexRecord, quality) == 2);
static_assert(offsetof(RecIndexRecord, blockIndex) == 4);
static_assert(offsetof(RecIndexRecord, left) == 6);
static_assert(offsetof(RecIndexRecord, top) == 8);
static_assert(offsetof(RecIndexRecord, right) == 10);
static_assert(offsetof(RecIndexRecord, bottom) == 12);
static_assert(offsetof(RecIndexRecord, bitsPerPixel) == 14);
static_assert(offsetof(RecIndexRecord, length) == 16);
static_assert(offsetof(RecIndexRecord, cursorX) == 20);
static_assert(offsetof(RecIndexRecord, cursorY) == 24);
static_assert(offsetof(RecIndexRecord, screenWidth) == 28);
static_assert(offsetof(RecIndexRecord, screenHeight) == 32);
static_assert(offsetof(RecIndexRecord, tick) == 36);

// Where record i lies in the index.
constexpr uint64_t RecordOffset(uint64_t index) { return sizeof(RecIndexHead) + sizeof(RecIndexRecord) * index; }
