#pragma once
// The receiving side of the wire: one validating parser for every datagram.
//
// Nothing received is trusted. A datagram is accepted only when its size,
// kind and subtype are known and every number that a receiver would use to
// address its buffers fits the capacities it passes in; anything else is
// refused and the receiver drops it.

#include "broadcast/MirageDatagram.h"
#include "broadcast/MirageRect.h"

#include <cstddef>
#include <cstdint>

// The buffers of a receiving engine.
struct MirageReceiveCapacity {
    size_t wireBufferSize;   // bytes of wireBuffer: fragments are written there
    size_t streamCapacity;   // most compressed bytes one block may have
    uint32_t blockSlots;     // block buffers
    size_t blockSlotStride;  // bytes from one block buffer to the next
    size_t blockAreaSize;    // bytes of the area all block buffers lie in
    size_t frameBufferSize;  // bytes of the composed frame
};

// A block rectangle may reach this many pixels past the frame's right edge:
// the capture widens rows to whole 32-bit groups (16 pixels at 2 bits). Those
// columns belong to the block buffer only; composing leaves them out.
inline constexpr int32_t kMirageMaxWidening = 15;

enum class MirageMessage {
    Stop,
    FrameEnd,
    WatchSelect,
    KeepAlive,
    CursorShapeOn,
    CursorShapeOff,
    SizeChange,
    BlockHeader,
    FullFrameRequest,
    ScreenFragment,
    CursorPosition,
    MouseEvent,
    KeyEvent,
    CursorShapeFragment,
};

// What an accepted datagram says; only the fields of its message are set.
struct ParsedDatagram {
    MirageMessage message = MirageMessage::KeepAlive;
    uint8_t senderId = 0;

    // Block header, frame end (geometry also of a size change).
    uint8_t compression = 0;
    uint8_t bitsPerPixel = 0;
    uint16_t frameWidth = 0;
    uint16_t frameHeight = 0;
    uint32_t length = 0;
    uint16_t quality = 0;
    uint32_t fragmentCount = 0;
    MirageRect rect = {};
    uint32_t blockIndex = 0;
    uint8_t recordBar = 0;
    uint8_t windowed = 0;
    uint8_t gridMode = 0;

    // Screen fragment and cursor-shape fragment: where the payload goes.
    uint32_t fragment = 0;       // fragment or part number
    size_t targetOffset = 0;     // into wireBuffer, or into the cursor-shape area
    const uint8_t* payload = nullptr;
    size_t payloadSize = 0;

    uint16_t watchedId = 0;

    // Input.
    uint32_t mouseFlags = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t wheelDelta = 0;
    uint8_t virtualKey = 0;
    uint8_t scanCode = 0;
    uint32_t keyFlags = 0;
    uint32_t keyExtra = 0;
};

// Accepts or refuses one received datagram. `out.payload` points into `data`.
bool ParseMirageDatagram(const uint8_t* data, size_t length, const MirageReceiveCapacity& capacity,
                         ParsedDatagram& out);

// Bytes of a frame and of a decoded block, in rows of FrameRowBytes (a zlib
// block of 8 bits or fewer starts with its palette).
size_t FrameBytes(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
size_t DecodedBlockBytes(const MirageRect& rect, uint32_t bitsPerPixel, uint8_t compression);
