#pragma once
// MirageDatagram: the one wire shape of the broadcast engine, exactly 1,024
// bytes of UDP to the group of the running mode. Screens, cursor shapes and
// positions, remote input and the control signals all travel in it.
//
// Every layout below is the whole datagram: a sender zeroes it and fills the
// named fields, so no byte of process memory ever goes on the wire.

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the wire is little-endian");

inline constexpr size_t kMirageDatagramSize = 1024;
inline constexpr size_t kMirageFragmentPayload = 1010;   // stream bytes per screen fragment
inline constexpr size_t kMirageCursorShapePayload = 1012; // cursor-shape bytes per part
inline constexpr size_t kMirageCursorShapeAreaSize = 2024; // two parts
inline constexpr uint32_t kMirageCursorShapeParts = 2;
inline constexpr size_t kMirageMaxBlockStream = 2359296;  // 1,024 x 768 at 24 bits
inline constexpr size_t kMirageWakeUpSize = 10;           // the close-time wake-up, dropped as short

// Byte 1.
enum MirageKind : uint8_t {
    MIRAGE_KIND_CONTROL = 1,
    MIRAGE_KIND_SCREEN = 3,
    MIRAGE_KIND_INPUT = 4,
    MIRAGE_KIND_CURSOR_SHAPE = 5,
    MIRAGE_KIND_SCREEN_ALT = 7, // accepted like a screen fragment, never sent
};

// The u16 at offset 4 of a control datagram.
enum MirageControl : uint16_t {
    MIRAGE_CONTROL_STOP = 0,
    MIRAGE_CONTROL_FRAME_END = 2,
    MIRAGE_CONTROL_WATCH_SELECT = 3,
    MIRAGE_CONTROL_KEEP_ALIVE = 4,
    MIRAGE_CONTROL_CURSOR_ON = 5,
    MIRAGE_CONTROL_CURSOR_OFF = 6,
    MIRAGE_CONTROL_SIZE_CHANGE = 7,
    MIRAGE_CONTROL_BLOCK_HEADER = 8,
    MIRAGE_CONTROL_FULL_FRAME = 9,
};

// The u16 at offset 4 of an input datagram.
enum MirageInputKind : uint16_t {
    MIRAGE_INPUT_CURSOR_POSITION = 1,
    MIRAGE_INPUT_MOUSE = 2,
    MIRAGE_INPUT_KEY = 3,
};

// Block compression (u16 at offset 8 of a block header).
enum MirageCompression : uint8_t {
    MIRAGE_COMPRESSION_JPEG = 0,
    MIRAGE_COMPRESSION_ZLIB = 3,
};

inline constexpr uint16_t kMirageWatchSelectMarker = 2; // u16 at 8 of a watched select
inline constexpr uint16_t kMirageCursorShapeMarker = 2; // u16 at 4 of a cursor-shape fragment
inline constexpr uint32_t kMirageHeaderConstant52 = 5;
inline constexpr uint32_t kMirageHeaderConstant56 = 1;

#pragma pack(push, 1)

// The common head of every datagram.
struct MirageHead {
    uint8_t senderId; // the sender's ownId; 0 for a teacher station
    uint8_t kind;
    uint8_t reserved2[2];
    uint16_t subtype; // control and input datagrams
    uint8_t rest[kMirageDatagramSize - 6];
};

// Block header (control subtype 8) and frame end (subtype 2).
struct MirageBlockHeader {
    uint8_t senderId;
    uint8_t kind;            // 1
    uint8_t reserved2[2];
    uint16_t subtype;        // 8 block header, 2 frame end
    uint16_t zero6;
    uint16_t compression;    // 0 JPEG, 3 zlib
    uint16_t bitsPerPixel;   // receivers take the low byte
    uint16_t frameWidth;
    uint16_t frameHeight;
    uint32_t length;         // of the block's compressed stream; frame end 0
    uint32_t quality;        // receivers take the low 16 bits
    uint32_t fragmentCount;  // frame end 0
    int32_t left;
    int32_t top;
    int32_t right;           // exclusive
    int32_t bottom;          // exclusive
    uint32_t blockIndex;     // 0 to 15
    uint16_t zero48;
    uint8_t reserved50[2];
    uint32_t constant52;     // 5
    uint32_t constant56;     // 1
    uint16_t zero60;
    uint8_t reserved62[6];
    uint32_t zero68;
    uint8_t reserved72[4];
    uint8_t recordBar;       // sendRecordBar
    uint8_t windowed;        // sendWindowed
    uint8_t gridMode;        // 0: the block is the whole screen
    uint8_t reserved79[kMirageDatagramSize - 79];
};

// Screen fragment (kinds 3 and 7).
struct MirageScreenFragment {
    uint8_t senderId;
    uint8_t kind;
    uint8_t reserved2[2];
    uint32_t fragment;       // n: stream bytes n x 1010 onwards
    uint8_t payload[kMirageFragmentPayload];
    uint8_t reserved1018[6];
};

// Watched select (control subtype 3).
struct MirageWatchSelect {
    uint8_t senderId;
    uint8_t kind;
    uint8_t reserved2[2];
    uint16_t subtype;        // 3
    uint16_t watchedId;
    uint16_t marker;         // 2
    uint8_t reserved10[kMirageDatagramSize - 10];
};

// Size change (control subtype 7); this engine never sends it.
struct MirageSizeChange {
    uint8_t senderId;
    uint8_t kind;
    uint8_t reserved2[2];
    uint16_t subtype;        // 7
    uint8_t reserved6[4];
    uint16_t bitsPerPixel;
    uint16_t frameWidth;
    uint16_t frameHeight;
    uint8_t reserved16[kMirageDatagramSize - 16];
};

// Input (kind 4): cursor position (1), mouse event (2), key event (3).
struct MirageInput {
    uint8_t senderId;
    uint8_t kind;            // 4
    uint8_t reserved2[2];
    uint16_t subtype;
    uint8_t reserved6[2];
    uint32_t mouseFlags;     // one of the system's mouse-input flags
    int32_t x;
    int32_t y;
    int32_t wheelDelta;
    uint32_t buttonState;    // not read by receivers
    uint8_t virtualKey;
    uint8_t scanCode;
    uint8_t reserved30[2];
    uint32_t keyFlags;       // 0 key down, 2 key up
    uint32_t keyExtra;       // 0
    uint8_t reserved40[kMirageDatagramSize - 40];
};

// Cursor-shape fragment (kind 5).
struct MirageCursorShapeFragment {
    uint8_t senderId;
    uint8_t kind;            // 5
    uint8_t reserved2[2];
    uint16_t marker;         // 2
    uint8_t reserved6[2];
    uint32_t part;           // 0 or 1
    uint8_t payload[kMirageCursorShapePayload];
};

#pragma pack(pop)

static_assert(sizeof(MirageHead) == kMirageDatagramSize);
static_assert(offsetof(MirageHead, kind) == 1 && offsetof(MirageHead, subtype) == 4);

static_assert(sizeof(MirageBlockHeader) == kMirageDatagramSize);
static_assert(offsetof(MirageBlockHeader, subtype) == 4);
static_assert(offsetof(MirageBlockHeader, zero6) == 6);
static_assert(offsetof(MirageBlockHeader, compression) == 8);
static_assert(offsetof(MirageBlockHeader, bitsPerPixel) == 10);
static_assert(offsetof(MirageBlockHeader, frameWidth) == 12);
static_assert(offsetof(MirageBlockHeader, frameHeight) == 14);
static_assert(offsetof(MirageBlockHeader, length) == 16);
static_assert(offsetof(MirageBlockHeader, quality) == 20);
static_assert(offsetof(MirageBlockHeader, fragmentCount) == 24);
static_assert(offsetof(MirageBlockHeader, left) == 28);
static_assert(offsetof(MirageBlockHeader, top) == 32);
static_assert(offsetof(MirageBlockHeader, right) == 36);
static_assert(offsetof(MirageBlockHeader, bottom) == 40);
static_assert(offsetof(MirageBlockHeader, blockIndex) == 44);
static_assert(offsetof(MirageBlockHeader, zero48) == 48);
static_assert(offsetof(MirageBlockHeader, constant52) == 52);
static_assert(offsetof(MirageBlockHeader, constant56) == 56);
static_assert(offsetof(MirageBlockHeader, zero60) == 60);
static_assert(offsetof(MirageBlockHeader, zero68) == 68);
static_assert(offsetof(MirageBlockHeader, recordBar) == 76);
static_assert(offsetof(MirageBlockHeader, windowed) == 77);
static_assert(offsetof(MirageBlockHeader, gridMode) == 78);

static_assert(sizeof(MirageScreenFragment) == kMirageDatagramSize);
static_assert(offsetof(MirageScreenFragment, fragment) == 4);
static_assert(offsetof(MirageScreenFragment, payload) == 8);
static_assert(offsetof(MirageScreenFragment, reserved1018) == 1018);

static_assert(sizeof(MirageWatchSelect) == kMirageDatagramSize);
static_assert(offsetof(MirageWatchSelect, watchedId) == 6 && offsetof(MirageWatchSelect, marker) == 8);

static_assert(sizeof(MirageSizeChange) == kMirageDatagramSize);
static_assert(offsetof(MirageSizeChange, bitsPerPixel) == 10);
static_assert(offsetof(MirageSizeChange, frameWidth) == 12 && offsetof(MirageSizeChange, frameHeight) == 14);

static_assert(sizeof(MirageInput) == kMirageDatagramSize);
static_assert(offsetof(MirageInput, mouseFlags) == 8);
static_assert(offsetof(MirageInput, x) == 12 && offsetof(MirageInput, y) == 16);
static_assert(offsetof(MirageInput, wheelDelta) == 20 && offsetof(MirageInput, buttonState) == 24);
static_assert(offsetof(MirageInput, virtualKey) == 28 && offsetof(MirageInput, scanCode) == 29);
static_assert(offsetof(MirageInput, keyFlags) == 32 && offsetof(MirageInput, keyExtra) == 36);

static_assert(sizeof(MirageCursorShapeFragment) == kMirageDatagramSize);
static_assert(offsetof(MirageCursorShapeFragment, marker) == 4);
static_assert(offsetof(MirageCursorShapeFragment, part) == 8);
static_assert(offsetof(MirageCursorShapeFragment, payload) == 12);
static_assert(kMirageCursorShapePayload * kMirageCursorShapeParts == kMirageCursorShapeAreaSize);
static_assert(kMirageMaxBlockStream / kMirageFragmentPayload + 1 == 2336);
