#include "broadcast/DatagramParser.h"

#include "broadcast/FrameRows.h"

#include <cstring>

namespace {

constexpr uint32_t kJpegBitsPerPixel = 24; // JPEG blocks decode to BGR
constexpr uint32_t kIndexedMaxBits = 8;
constexpr uint32_t kPaletteEntryBytes = 4;

bool IsKnownDepth(uint32_t bits)
{
    switch (bits) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
        return true;
    default:
        return false;
    }
}

// The geometry every header carries: the sender's frame, which the receiver
// composes into its frame buffer.
bool FrameFits(uint32_t width, uint32_t height, uint32_t bits, const MirageReceiveCapacity& capacity)
{
    return width > 0 && height > 0 && IsKnownDepth(bits) &&
           FrameBytes(width, height, bits) <= capacity.frameBufferSize;
}

bool ParseBlockHeader(const uint8_t* data, const MirageReceiveCapacity& capacity, ParsedDatagram& out)
{
    MirageBlockHeader h;
    std::memcpy(&h, data, sizeof h);
    if (h.compression != MIRAGE_COMPRESSION_JPEG && h.compression != MIRAGE_COMPRESSION_ZLIB)
        return false;
    out.compression = static_cast<uint8_t>(h.compression);
    out.bitsPerPixel = static_cast<uint8_t>(h.bitsPerPixel);
    out.frameWidth = h.frameWidth;
    out.frameHeight = h.frameHeight;
    out.length = h.length;
    out.quality = static_cast<uint16_t>(h.quality);
    out.fragmentCount = h.fragmentCount;
    out.rect = {h.left, h.top, h.right, h.bottom};
    out.blockIndex = h.blockIndex;
    out.recordBar = h.recordBar;
    out.windowed = h.windowed;
    out.gridMode = h.gridMode;
    if (!FrameFits(out.frameWidth, out.frameHeight, out.bitsPerPixel, capacity))
        return false;
    if (h.subtype == MIRAGE_CONTROL_FRAME_END)
        return true; // its rectangle and block index are not used

    const MirageRect& r = out.rect;
    const bool rectInFrame = r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
                             r.bottom <= out.frameHeight && r.left < out.frameWidth &&
                             r.right <= out.frameWidth + kMirageMaxWidening;
    if (!rectInFrame || out.blockIndex >= capacity.blockSlots || out.length > capacity.streamCapacity)
        return false;
    const size_t slotOffset = static_cast<size_t>(out.blockIndex) * capacity.blockSlotStride;
    return slotOffset < capacity.blockAreaSize &&
           DecodedBlockBytes(r, out.bitsPerPixel, out.compression) <= capacity.blockAreaSize - slotOffset;
}

bool ParseControl(const uint8_t* data, const MirageReceiveCapacity& capacity, ParsedDatagram& out)
{
    MirageHead head;
    std::memcpy(&head, data, sizeof head);
    switch (head.subtype) {
    case MIRAGE_CONTROL_STOP:
        out.message = MirageMessage::Stop;
        return true;
    case MIRAGE_CONTROL_FRAME_END:
        out.message = MirageMessage::FrameEnd;
        return ParseBlockHeader(data, capacity, out);
    case MIRAGE_CONTROL_BLOCK_HEADER:
        out.message = MirageMessage::BlockHeader;
        return ParseBlockHeader(data, capacity, out);
    case MIRAGE_CONTROL_WATCH_SELECT: {
        MirageWatchSelect w;
        std::memcpy(&w, data, sizeof w);
        out.message = MirageMessage::WatchSelect;
        out.watchedId = w.watchedId;
        return true;
    }
    case MIRAGE_CONTROL_KEEP_ALIVE:
        out.message = MirageMessage::KeepAlive;
        return true;
    case MIRAGE_CONTROL_CURSOR_ON:
        out.message = MirageMessage::CursorShapeOn;
        return true;
    case MIRAGE_CONTROL_CURSOR_OFF:
        out.message = MirageMessage::CursorShapeOff;
        return true;
    case MIRAGE_CONTROL_SIZE_CHANGE: {
        MirageSizeChange s;
        std::memcpy(&s, data, sizeof s);
        out.message = MirageMessage::SizeChange;
        out.bitsPerPixel = static_cast<uint8_t>(s.bitsPerPixel);
        out.frameWidth = s.frameWidth;
        out.frameHeight = s.frameHeight;
        return FrameFits(out.frameWidth, out.frameHeight, out.bitsPerPixel, capacity);
    }
    case MIRAGE_CONTROL_FULL_FRAME:
        out.message = MirageMessage::FullFrameRequest;
        return true;
    default:
        return false;
    }
}

bool ParseInput(const uint8_t* data, ParsedDatagram& out)
{
    MirageInput in;
    std::memcpy(&in, data, sizeof in);
    out.mouseFlags = in.mouseFlags;
    out.x = in.x;
    out.y = in.y;
    out.wheelDelta = in.wheelDelta;
    out.virtualKey = in.virtualKey;
    out.scanCode = in.scanCode;
    out.keyFlags = in.keyFlags;
    out.keyExtra = in.keyExtra;
    switch (in.subtype) {
    case MIRAGE_INPUT_CURSOR_POSITION:
        out.message = MirageMessage::CursorPosition;
        return true;
    case MIRAGE_INPUT_MOUSE:
        out.message = MirageMessage::MouseEvent;
        return true;
    case MIRAGE_INPUT_KEY:
        out.message = MirageMessage::KeyEvent;
        return true;
    default:
        return false;
    }
}

} // namespace

size_t FrameBytes(uint32_t width, uint32_t height, uint32_t bitsPerPixel)
{
    return static_cast<size_t>(FrameRowBytes(width, bitsPerPixel) * height);
}

size_t DecodedBlockBytes(const MirageRect& rect, uint32_t bitsPerPixel, uint8_t compression)
{
    const uint64_t width = static_cast<uint64_t>(static_cast<int64_t>(rect.right) - rect.left);
    const uint64_t height = static_cast<uint64_t>(static_cast<int64_t>(rect.bottom) - rect.top);
    if (compression == MIRAGE_COMPRESSION_JPEG)
        return static_cast<size_t>(FrameRowBytes(width, kJpegBitsPerPixel) * height);
    const size_t palette = bitsPerPixel <= kIndexedMaxBits ? (size_t{1} << bitsPerPixel) * kPaletteEntryBytes : 0;
    return palette + static_cast<size_t>(FrameRowBytes(width, bitsPerPixel) * height);
}

bool ParseMirageDatagram(const uint8_t* data, size_t length, const MirageReceiveCapacity& capacity,
                         ParsedDatagram& out)
{
    out = ParsedDatagram{};
    if (data == nullptr || length != kMirageDatagramSize)
        return false;
    out.senderId = data[0];
    switch (data[1]) {
    case MIRAGE_KIND_CONTROL:
        return ParseControl(data, capacity, out);
    case MIRAGE_KIND_SCREEN:
    case MIRAGE_KIND_SCREEN_ALT: {
        MirageScreenFragment f;
        std::memcpy(&f, data, sizeof f);
        const uint64_t end = (static_cast<uint64_t>(f.fragment) + 1) * kMirageFragmentPayload;
        if (end > capacity.wireBufferSize)
            return false;
        out.message = MirageMessage::ScreenFragment;
        out.fragment = f.fragment;
        out.targetOffset = static_cast<size_t>(f.fragment) * kMirageFragmentPayload;
        out.payload = data + offsetof(MirageScreenFragment, payload);
        out.payloadSize = kMirageFragmentPayload;
        return true;
    }
    case MIRAGE_KIND_INPUT:
        return ParseInput(data, out);
    case MIRAGE_KIND_CURSOR_SHAPE: {
        MirageCursorShapeFragment c;
        std::memcpy(&c, data, sizeof c);
        if (c.part >= kMirageCursorShapeParts)
            return false;
        out.message = MirageMessage::CursorShapeFragment;
        out.fragment = c.part;
        out.targetOffset = static_cast<size_t>(c.part) * kMirageCursorShapePayload;
        out.payload = data + offsetof(MirageCursorShapeFragment, payload);
        out.payloadSize = kMirageCursorShapePayload;
        return true;
    }
    default:
        return false;
    }
}
