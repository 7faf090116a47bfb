#include "broadcast/DatagramBuilder.h"

#include <algorithm>
#include <cstring>

namespace {

MirageBlockHeader BuildHeaderLayout(uint8_t senderId, MirageControl subtype, const MirageBlockInfo& block)
{
    MirageBlockHeader d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_CONTROL;
    d.subtype = subtype;
    d.compression = block.compression;
    d.bitsPerPixel = block.bitsPerPixel;
    d.frameWidth = block.frameWidth;
    d.frameHeight = block.frameHeight;
    d.length = block.length;
    d.quality = block.quality;
    d.fragmentCount = block.fragmentCount;
    d.left = block.rect.left;
    d.top = block.rect.top;
    d.right = block.rect.right;
    d.bottom = block.rect.bottom;
    d.blockIndex = block.blockIndex;
    d.constant52 = kMirageHeaderConstant52;
    d.constant56 = kMirageHeaderConstant56;
    d.recordBar = block.recordBar;
    d.windowed = block.windowed;
    d.gridMode = block.gridMode;
    return d;
}

MirageInput InputLayout(uint8_t senderId, MirageInputKind subtype)
{
    MirageInput d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_INPUT;
    d.subtype = subtype;
    return d;
}

} // namespace

MirageBlockHeader BuildBlockHeader(uint8_t senderId, const MirageBlockInfo& block)
{
    return BuildHeaderLayout(senderId, MIRAGE_CONTROL_BLOCK_HEADER, block);
}

MirageBlockHeader BuildFrameEnd(uint8_t senderId, const MirageBlockInfo& block)
{
    return BuildHeaderLayout(senderId, MIRAGE_CONTROL_FRAME_END, block);
}

MirageScreenFragment BuildScreenFragment(uint8_t senderId, uint32_t fragment, const uint8_t* stream,
                                         size_t streamLength)
{
    MirageScreenFragment d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_SCREEN;
    d.fragment = fragment;
    const size_t offset = static_cast<size_t>(fragment) * kMirageFragmentPayload;
    if (stream != nullptr && offset < streamLength)
        std::memcpy(d.payload, stream + offset, std::min(kMirageFragmentPayload, streamLength - offset));
    return d;
}

MirageHead BuildControl(uint8_t senderId, MirageControl subtype)
{
    MirageHead d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_CONTROL;
    d.subtype = subtype;
    return d;
}

MirageWatchSelect BuildWatchSelect(uint8_t senderId, uint16_t watchedId)
{
    MirageWatchSelect d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_CONTROL;
    d.subtype = MIRAGE_CONTROL_WATCH_SELECT;
    d.watchedId = watchedId;
    d.marker = kMirageWatchSelectMarker;
    return d;
}

MirageInput BuildCursorPosition(uint8_t senderId, int32_t x, int32_t y)
{
    MirageInput d = InputLayout(senderId, MIRAGE_INPUT_CURSOR_POSITION);
    d.x = x;
    d.y = y;
    return d;
}

MirageInput BuildMouseEvent(uint8_t senderId, uint32_t mouseFlags, int32_t x, int32_t y, int32_t wheelDelta,
                            uint32_t buttonState)
{
    MirageInput d = InputLayout(senderId, MIRAGE_INPUT_MOUSE);
    d.mouseFlags = mouseFlags;
    d.x = x;
    d.y = y;
    d.wheelDelta = wheelDelta;
    d.buttonState = buttonState;
    return d;
}

MirageInput BuildKeyEvent(uint8_t senderId, uint8_t virtualKey, uint8_t scanCode, uint32_t keyFlags)
{
    MirageInput d = InputLayout(senderId, MIRAGE_INPUT_KEY);
    d.virtualKey = virtualKey;
    d.scanCode = scanCode;
    d.keyFlags = keyFlags;
    return d;
}

MirageCursorShapeFragment BuildCursorShapeFragment(uint8_t senderId, uint32_t part,
                                                   const uint8_t (&area)[kMirageCursorShapeAreaSize])
{
    MirageCursorShapeFragment d = {};
    d.senderId = senderId;
    d.kind = MIRAGE_KIND_CURSOR_SHAPE;
    d.marker = kMirageCursorShapeMarker;
    d.part = part;
    if (part < kMirageCursorShapeParts)
        std::memcpy(d.payload, area + part * kMirageCursorShapePayload, kMirageCursorShapePayload);
    return d;
}
