#include "broadcast/FrameAssembler.h"

#include "broadcast/MirageDatagram.h"
#include "broadcast/SenderGeometry.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kBitsPerByte = 8;
constexpr uint32_t kJpegBits = 24;
constexpr uint32_t kPaletteBits = 8;
// A recorded raw frame's slot: packed pixels of the frame's depth, no palette.
constexpr uint8_t kStoredRaw = 0xFF;

// The rows of a zlib block as the sender packs them.
uint64_t PackedRowBytes(uint64_t width, uint64_t bits) { return width * bits / kBitsPerByte; }

} // namespace

bool IsShowableGeometry(uint32_t width, uint32_t height, uint32_t bitsPerPixel, size_t frameBufferSize)
{
    const bool knownDepth = bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24;
    return width > 0 && height > 0 && knownDepth &&
           FrameRowBytes(width, bitsPerPixel) * height <= frameBufferSize;
}

size_t CFrameAssembler::FrameStride(const MirageGeometry& geometry)
{
    return static_cast<size_t>(FrameRowBytes(geometry.width, geometry.bitsPerPixel));
}

void CFrameAssembler::Reset()
{
    m_geometry = {};
    for (SlotInfo& slot : m_slots)
        slot = {};
    if (m_buffers.rectTable != nullptr)
        std::memset(m_buffers.rectTable, 0, sizeof(MirageRect) * kMirageFrameRects);
    m_fragmentsSinceHeader = 0;
}

bool CFrameAssembler::StoreFragment(const ParsedDatagram& fragment)
{
    const uint64_t end = static_cast<uint64_t>(fragment.targetOffset) + fragment.payloadSize;
    if (m_buffers.wireBuffer == nullptr || fragment.payload == nullptr || end > m_buffers.wireBufferSize) {
        ++m_counters.blocksDropped;
        return false;
    }
    std::memcpy(m_buffers.wireBuffer + fragment.targetOffset, fragment.payload, fragment.payloadSize);
    ++m_counters.fragments;
    ++m_fragmentsSinceHeader;
    return true;
}

bool CFrameAssembler::StoreCursorShapePart(const ParsedDatagram& part)
{
    const uint64_t end = static_cast<uint64_t>(part.targetOffset) + part.payloadSize;
    if (m_buffers.cursorShapeArea == nullptr || part.payload == nullptr || end > kMirageCursorShapeAreaSize)
        return false;
    std::memcpy(m_buffers.cursorShapeArea + part.targetOffset, part.payload, part.payloadSize);
    return true;
}

bool CFrameAssembler::RectInside(const MirageRect& r, const MirageGeometry& g) const
{
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           static_cast<int64_t>(r.right) <= g.width && static_cast<int64_t>(r.bottom) <= g.height;
}

size_t CFrameAssembler::SlotRoom(uint32_t index) const
{
    const uint64_t offset = static_cast<uint64_t>(index) * m_buffers.blockSlotStride;
    if (index >= kMirageBlockCount || offset >= m_buffers.blockAreaSize)
        return 0;
    // A block is at most a frame; the area's end bounds the higher slots.
    return static_cast<size_t>(std::min<uint64_t>(m_buffers.blockAreaSize - offset, m_buffers.frameBufferSize));
}

bool CFrameAssembler::DecodeBlock(const ParsedDatagram& header)
{
    const uint64_t announced = header.fragmentCount;
    m_counters.fragmentsLost += announced > m_fragmentsSinceHeader ? announced - m_fragmentsSinceHeader : 0;
    m_fragmentsSinceHeader = 0;

    const MirageGeometry g = {header.frameWidth, header.frameHeight, header.bitsPerPixel};
    const size_t room = SlotRoom(header.blockIndex);
    const bool fits = m_buffers.blockArea != nullptr && room > 0 &&
                      IsShowableGeometry(g.width, g.height, g.bitsPerPixel, m_buffers.frameBufferSize) &&
                      RectInside(header.rect, g) && header.length <= m_buffers.wireBufferSize;
    bool decoded = false;
    if (fits) {
        m_slots[header.blockIndex] = {};
        uint8_t* slot = m_buffers.blockArea + static_cast<size_t>(header.blockIndex) * m_buffers.blockSlotStride;
        SlotInfo info;
        if (header.compression == MIRAGE_COMPRESSION_ZLIB)
            decoded = DecodeZlib(header, slot, room, info);
        else if (header.compression == MIRAGE_COMPRESSION_JPEG)
            decoded = DecodeJpeg(header, slot, room, info);
        if (decoded) {
            m_slots[header.blockIndex] = info;
            m_buffers.rectTable[header.blockIndex] = header.rect;
            m_geometry = g;
            m_lastCompression = header.compression;
        }
    }
    ++(decoded ? m_counters.blocksDecoded : m_counters.blocksDropped);
    return decoded;
}

void CFrameAssembler::InflateFree::operator()(libdeflate_decompressor* decompressor) const
{
    libdeflate_free_decompressor(decompressor);
}

bool CFrameAssembler::DecodeZlib(const ParsedDatagram& header, uint8_t* slot, size_t room, SlotInfo& info)
{
    const auto width = static_cast<uint32_t>(header.rect.right - header.rect.left);
    const auto height = static_cast<uint32_t>(header.rect.bottom - header.rect.top);
    const bool indexed = header.bitsPerPixel == kPaletteBits;
    const uint64_t needed = (indexed ? kMiragePaletteBytes : 0) + PackedRowBytes(width, header.bitsPerPixel) * height;
    // A sender's stream decodes to exactly the bytes it compressed for the
    // block (the capture service's layout and its slack): one that decodes
    // to more or less is dropped, and nothing is decoded past the slot.
    const size_t expected = ZlibSourceLength(width, height, header.bitsPerPixel);
    if (needed > expected || expected > room)
        return false;
    if (!m_inflate)
        m_inflate.reset(libdeflate_alloc_decompressor());
    size_t produced = 0;
    if (!m_inflate || libdeflate_zlib_decompress(m_inflate.get(), m_buffers.wireBuffer, header.length, slot, expected,
                                                 &produced) != LIBDEFLATE_SUCCESS ||
        produced != expected)
        return false;
    if (indexed)
        std::memcpy(m_palette, slot, kMiragePaletteBytes);
    info = {true, MIRAGE_COMPRESSION_ZLIB, header.bitsPerPixel,
            static_cast<size_t>(PackedRowBytes(width, header.bitsPerPixel))};
    return true;
}

bool CFrameAssembler::DecodeJpeg(const ParsedDatagram& header, uint8_t* slot, size_t room, SlotInfo& info)
{
    // JPEG blocks carry 24-bit pixels; a header saying otherwise is forged.
    if (header.bitsPerPixel != kJpegBits || !m_jpeg)
        return false;
    const auto width = static_cast<uint32_t>(header.rect.right - header.rect.left);
    const auto height = static_cast<uint32_t>(header.rect.bottom - header.rect.top);
    const uint64_t rowBytes = FrameRowBytes(width, kJpegBits);
    if (rowBytes * height > room)
        return false;
    if (!m_jpeg(m_buffers.wireBuffer, header.length, slot, room, width, height, header.quality))
        return false;
    info = {true, MIRAGE_COMPRESSION_JPEG, static_cast<uint8_t>(kJpegBits), static_cast<size_t>(rowBytes)};
    return true;
}

bool CFrameAssembler::EndFrame(const ParsedDatagram& frameEnd)
{
    if (!IsShowableGeometry(frameEnd.frameWidth, frameEnd.frameHeight, frameEnd.bitsPerPixel,
                            m_buffers.frameBufferSize) || m_buffers.frameBuffer == nullptr) {
        ++m_counters.framesDropped;
        return false;
    }
    m_geometry = {frameEnd.frameWidth, frameEnd.frameHeight, frameEnd.bitsPerPixel};
    ComposeBlocksIntoFrame();
    ++m_counters.framesComposed;
    return true;
}

bool CFrameAssembler::ChangeSize(const ParsedDatagram& sizeChange)
{
    if (!IsShowableGeometry(sizeChange.frameWidth, sizeChange.frameHeight, sizeChange.bitsPerPixel,
                            m_buffers.frameBufferSize))
        return false;
    m_geometry = {sizeChange.frameWidth, sizeChange.frameHeight, sizeChange.bitsPerPixel};
    return true;
}

bool CFrameAssembler::DecodeStoredJpeg(uint32_t blockIndex, const MirageRect& rect, const MirageGeometry& geometry,
                                       uint16_t quality, const uint8_t* stream, size_t length)
{
    if (m_buffers.wireBuffer == nullptr || stream == nullptr || length == 0 || length > m_buffers.wireBufferSize) {
        ++m_counters.blocksDropped;
        return false;
    }
    std::memcpy(m_buffers.wireBuffer, stream, length);
    ParsedDatagram header;
    header.message = MirageMessage::BlockHeader;
    header.compression = MIRAGE_COMPRESSION_JPEG;
    header.bitsPerPixel = geometry.bitsPerPixel;
    header.frameWidth = static_cast<uint16_t>(geometry.width);
    header.frameHeight = static_cast<uint16_t>(geometry.height);
    header.length = static_cast<uint32_t>(length);
    header.quality = quality;
    header.rect = rect;
    header.blockIndex = blockIndex;
    // A wider geometry than a datagram carries is not this station's.
    if (header.frameWidth != geometry.width || header.frameHeight != geometry.height) {
        ++m_counters.blocksDropped;
        return false;
    }
    return DecodeBlock(header);
}

bool CFrameAssembler::StoreRawBlock(const MirageRect& rect, const MirageGeometry& g, const uint8_t* pixels,
                                    size_t length)
{
    constexpr uint32_t kRawSlot = 0;
    const size_t room = SlotRoom(kRawSlot);
    const bool fits = m_buffers.blockArea != nullptr && pixels != nullptr &&
                      IsShowableGeometry(g.width, g.height, g.bitsPerPixel, m_buffers.frameBufferSize) &&
                      RectInside(rect, g);
    const uint64_t rowBytes = fits ? PackedRowBytes(static_cast<uint64_t>(rect.right - rect.left), g.bitsPerPixel) : 0;
    if (!fits || rowBytes * static_cast<uint64_t>(rect.bottom - rect.top) != length || length > room) {
        ++m_counters.blocksDropped;
        return false;
    }
    std::memcpy(m_buffers.blockArea, pixels, length);
    m_slots[kRawSlot] = {true, kStoredRaw, g.bitsPerPixel, static_cast<size_t>(rowBytes)};
    m_buffers.rectTable[kRawSlot] = rect;
    m_geometry = g;
    ++m_counters.blocksDecoded;
    return true;
}

bool CFrameAssembler::EndStoredFrame(const MirageGeometry& geometry)
{
    ParsedDatagram frameEnd;
    frameEnd.message = MirageMessage::FrameEnd;
    frameEnd.frameWidth = static_cast<uint16_t>(geometry.width);
    frameEnd.frameHeight = static_cast<uint16_t>(geometry.height);
    frameEnd.bitsPerPixel = geometry.bitsPerPixel;
    if (frameEnd.frameWidth != geometry.width || frameEnd.frameHeight != geometry.height) {
        ++m_counters.framesDropped;
        return false;
    }
    return EndFrame(frameEnd);
}

CFrameAssembler::Outcome CFrameAssembler::Accept(const ParsedDatagram& datagram)
{
    switch (datagram.message) {
    case MirageMessage::ScreenFragment:
        return StoreFragment(datagram) ? Outcome::Stored : Outcome::Dropped;
    case MirageMessage::CursorShapeFragment:
        return StoreCursorShapePart(datagram) ? Outcome::Stored : Outcome::Dropped;
    case MirageMessage::BlockHeader:
        return DecodeBlock(datagram) ? Outcome::BlockDecoded : Outcome::Dropped;
    case MirageMessage::FrameEnd:
        return EndFrame(datagram) ? Outcome::FrameComposed : Outcome::Dropped;
    case MirageMessage::SizeChange:
        return ChangeSize(datagram) ? Outcome::SizeChanged : Outcome::Dropped;
    default:
        return Outcome::Other;
    }
}

void CFrameAssembler::ComposeBlocksIntoFrame()
{
    const MirageGeometry& g = m_geometry;
    if (m_buffers.rectTable == nullptr || m_buffers.frameBuffer == nullptr ||
        !IsShowableGeometry(g.width, g.height, g.bitsPerPixel, m_buffers.frameBufferSize))
        return;
    const size_t stride = FrameStride(g);
    const size_t pixelBytes = g.bitsPerPixel / kBitsPerByte;
    for (size_t i = 0; i < kMirageFrameRects; ++i) {
        MirageRect& r = m_buffers.rectTable[i];
        if (IsEmptyRect(r))
            continue;
        const SlotInfo* slot = i < kMirageBlockCount ? &m_slots[i] : nullptr;
        // Only a block decoded at this frame's depth, inside this frame, is
        // composed; anything else would write past the frame's rows.
        if (slot != nullptr && slot->decoded && slot->bitsPerPixel == g.bitsPerPixel && RectInside(r, g)) {
            const uint8_t* pixels = m_buffers.blockArea + i * m_buffers.blockSlotStride;
            if (slot->compression == MIRAGE_COMPRESSION_ZLIB && g.bitsPerPixel == kPaletteBits)
                pixels += kMiragePaletteBytes; // the palette is the colour table, not pixels
            const auto blockHeight = static_cast<size_t>(r.bottom - r.top);
            const size_t copyBytes = static_cast<size_t>(r.right - r.left) * pixelBytes;
            for (size_t row = 0; row < blockHeight; ++row) {
                const uint8_t* from = pixels + (blockHeight - 1 - row) * slot->rowBytes;
                uint8_t* to = m_buffers.frameBuffer + (g.height - r.top - 1 - row) * stride + r.left * pixelBytes;
                std::memcpy(to, from, copyBytes);
            }
        }
        r = {};
    }
}
