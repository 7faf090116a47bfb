#pragma once
// Building MirageDatagrams. Every builder starts from a zeroed datagram, so
// the bytes a layout does not name go out as zeros.

#include "broadcast/MirageDatagram.h"
#include "broadcast/MirageRect.h"

#include <cstddef>
#include <cstdint>

// What a block header (or frame end) says about one block of a frame.
struct MirageBlockInfo {
    uint8_t compression = MIRAGE_COMPRESSION_JPEG;
    uint16_t bitsPerPixel = 0;
    uint16_t frameWidth = 0;
    uint16_t frameHeight = 0;
    uint32_t length = 0;        // compressed stream bytes
    uint32_t quality = 0;
    uint32_t fragmentCount = 0;
    MirageRect rect = {};
    uint32_t blockIndex = 0;
    uint8_t recordBar = 0;
    uint8_t windowed = 0;
    uint8_t gridMode = 0;
};

// Control subtype 8: sent after the block's fragments.
MirageBlockHeader BuildBlockHeader(uint8_t senderId, const MirageBlockInfo& block);

// Control subtype 2: the same layout; the caller passes the values the frame
// end carries (normally length 0 and fragment count 0).
MirageBlockHeader BuildFrameEnd(uint8_t senderId, const MirageBlockInfo& block);

// Screen fragment n of a compressed stream: its 1,010 bytes from n x 1,010, or
// the stream's tail followed by zeros.
MirageScreenFragment BuildScreenFragment(uint8_t senderId, uint32_t fragment, const uint8_t* stream,
                                         size_t streamLength);

// A control datagram without payload (stop, keep-alive, cursor shape on and
// off, full-frame request).
MirageHead BuildControl(uint8_t senderId, MirageControl subtype);

MirageWatchSelect BuildWatchSelect(uint8_t senderId, uint16_t watchedId);

MirageInput BuildCursorPosition(uint8_t senderId, int32_t x, int32_t y);
MirageInput BuildMouseEvent(uint8_t senderId, uint32_t mouseFlags, int32_t x, int32_t y, int32_t wheelDelta,
                            uint32_t buttonState);
MirageInput BuildKeyEvent(uint8_t senderId, uint8_t virtualKey, uint8_t scanCode, uint32_t keyFlags);

// The first (part 0) or second (part 1) 1,012 bytes of the cursor-shape area.
MirageCursorShapeFragment BuildCursorShapeFragment(uint8_t senderId, uint32_t part,
                                                   const uint8_t (&area)[kMirageCursorShapeAreaSize]);
