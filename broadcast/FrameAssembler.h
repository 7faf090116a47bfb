#pragma once
// The receiving half of the wire, without Win32: screen fragments into the
// wire buffer, block headers decoded into the block buffers, frame ends
// composed into the frame buffer, cursor-shape parts into their area.
//
// Every datagram reaching here has passed the validating parser; this class
// checks again what only a receiver knows (the sizes of its own buffers, the
// geometry it can show) and drops whatever would not fit. A dropped frame end
// keeps the last good geometry.

#include "broadcast/DatagramParser.h"
#include "broadcast/FrameRows.h"
#include "broadcast/MirageRect.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct libdeflate_decompressor;

inline constexpr size_t kMirageFrameRects = 64;
inline constexpr size_t kMirageBlockCount = 16;
inline constexpr size_t kMiragePaletteBytes = 1024; // 256 colour-table entries at 8 bits

// The buffers of a receiving station (the engine's, or a test's).
struct MirageReceiveBuffers {
    uint8_t* wireBuffer = nullptr;
    size_t wireBufferSize = 0;
    uint8_t* blockArea = nullptr;
    size_t blockAreaSize = 0;
    size_t blockSlotStride = 0;
    uint8_t* frameBuffer = nullptr;
    size_t frameBufferSize = 0;
    uint8_t* cursorShapeArea = nullptr; // kMirageCursorShapeAreaSize bytes
    MirageRect* rectTable = nullptr;    // kMirageFrameRects entries
};

struct MirageGeometry {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitsPerPixel = 0;
};

// Decodes one JPEG stream into 24-bit bottom-up rows padded to 4 bytes, of
// exactly width x height pixels within `capacity` bytes; false on any error
// or size mismatch.
using MirageJpegDecoder = std::function<bool(const uint8_t* stream, size_t length, uint8_t* out, size_t capacity,
                                             uint32_t width, uint32_t height, uint16_t quality)>;

// What happened to the receive path, for the benchmark and the tests.
struct MirageReceiveCounters {
    uint64_t fragments = 0;
    uint64_t fragmentsLost = 0; // announced by headers, not received
    uint64_t blocksDecoded = 0;
    uint64_t blocksDropped = 0;
    uint64_t framesComposed = 0;
    uint64_t framesDropped = 0;
};

// Geometry a receiver shows: both sides above 0, 8, 16 or 24 bits, the
// frame's rows (FrameRowBytes) within `frameBufferSize`.
bool IsShowableGeometry(uint32_t width, uint32_t height, uint32_t bitsPerPixel, size_t frameBufferSize);

class CFrameAssembler {
public:
    explicit CFrameAssembler(const MirageReceiveBuffers& buffers) : m_buffers(buffers) {}

    void SetJpegDecoder(MirageJpegDecoder decoder) { m_jpeg = std::move(decoder); }

    // Forgets the blocks and geometry of the last mode.
    void Reset();

    // Screen fragment: its payload into the wire buffer. False: dropped.
    bool StoreFragment(const ParsedDatagram& fragment);
    // Cursor-shape part 0 or 1 into the cursor-shape area.
    bool StoreCursorShapePart(const ParsedDatagram& part);
    // Block header: decodes the stream the fragments left in the wire buffer
    // into its block buffer. False: dropped (its slot keeps nothing to compose).
    bool DecodeBlock(const ParsedDatagram& header);
    // Frame end: takes its geometry and composes the blocks. False: dropped,
    // the last good geometry stays.
    bool EndFrame(const ParsedDatagram& frameEnd);
    // Size change: takes its geometry when it is showable.
    bool ChangeSize(const ParsedDatagram& sizeChange);

    // A recorded JPEG block: its stream into the wire buffer, then decoded
    // with DecodeBlock's checks. False: dropped.
    bool DecodeStoredJpeg(uint32_t blockIndex, const MirageRect& rect, const MirageGeometry& geometry,
                          uint16_t quality, const uint8_t* stream, size_t length);
    // A recorded raw frame (block 0, rows packed) into block slot 0, composed
    // at the next frame end. False: dropped.
    bool StoreRawBlock(const MirageRect& rect, const MirageGeometry& geometry, const uint8_t* pixels, size_t length);
    // A recorded frame end: EndFrame's checks and composition.
    bool EndStoredFrame(const MirageGeometry& geometry);

    // The four screen messages above by their kind; anything else is not
    // this class's and comes back as Other.
    enum class Outcome { Stored, BlockDecoded, FrameComposed, SizeChanged, Dropped, Other };
    Outcome Accept(const ParsedDatagram& datagram);

    // Copies every decoded block that fits the current geometry into the
    // frame buffer (bottom-up rows of FrameRowBytes) and clears its rectangle.
    void ComposeBlocksIntoFrame();

    const MirageGeometry& Geometry() const { return m_geometry; }
    // The colour table of an 8-bit frame (from its zlib block's palette).
    const uint8_t* Palette() const { return m_palette; }
    // The compression of the last decoded block.
    uint8_t LastCompression() const { return m_lastCompression; }
    const MirageReceiveCounters& Counters() const { return m_counters; }
    // Bytes one frame row takes in the frame buffer: FrameRowBytes.
    static size_t FrameStride(const MirageGeometry& geometry);

private:
    struct SlotInfo {
        bool decoded = false;
        uint8_t compression = 0;
        uint8_t bitsPerPixel = 0; // of the pixels in the slot (24 for JPEG)
        size_t rowBytes = 0;
    };
    bool RectInside(const MirageRect& r, const MirageGeometry& g) const;
    size_t SlotRoom(uint32_t index) const;
    bool DecodeZlib(const ParsedDatagram& header, uint8_t* slot, size_t room, SlotInfo& info);
    bool DecodeJpeg(const ParsedDatagram& header, uint8_t* slot, size_t room, SlotInfo& info);

    struct InflateFree {
        void operator()(libdeflate_decompressor* decompressor) const;
    };

    MirageReceiveBuffers m_buffers;
    std::unique_ptr<libdeflate_decompressor, InflateFree> m_inflate;
    MirageJpegDecoder m_jpeg;
    MirageGeometry m_geometry;
    SlotInfo m_slots[kMirageBlockCount];
    uint8_t m_palette[kMiragePaletteBytes] = {};
    uint8_t m_lastCompression = 0;
    uint64_t m_fragmentsSinceHeader = 0;
    MirageReceiveCounters m_counters;
};
