// The receive path against the wire: fragments, block headers and frame ends
// reassemble, decode and compose a frame; malformed datagrams are dropped
// without writing outside the buffers (the sanitizers watch), and the good
// frame after them still composes correctly.

#include "broadcast/DatagramBuilder.h"
#include "broadcast/DatagramParser.h"
#include "broadcast/FrameAssembler.h"
#include "broadcast/JpegBlockDecoder.h"
#include "broadcast/MirageEngineState.h"
#include "standins/ijl11/JpegCodec.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClass1Buffer = 1052672; // 640 x 480 x 3 + 131,072
constexpr uint16_t kWidth = 64;
constexpr uint16_t kHeight = 40;
constexpr uint8_t kTeacher = 0;
constexpr size_t kZlibSlack = 2048;

// A receiving station with the engine's buffer sizes of frame class 1.
struct Station {
    std::vector<uint8_t> wire = std::vector<uint8_t>(kClass1Buffer + kMirageWireSlack);
    std::vector<uint8_t> area = std::vector<uint8_t>(kMirageBlockAreaSize);
    std::vector<uint8_t> frame = std::vector<uint8_t>(kClass1Buffer);
    uint8_t shape[kMirageCursorShapeAreaSize] = {};
    MirageRect rects[kMirageFrameRects] = {};
    CFrameAssembler assembler{Buffers()};

    Station()
    {
        IjlEntries ijl;
        ijl.init = [](JPEG_CORE_PROPERTIES* p) { return kq::ijl::Init(*p); };
        ijl.free = [](JPEG_CORE_PROPERTIES* p) { return kq::ijl::Free(*p); };
        ijl.read = [](JPEG_CORE_PROPERTIES* p, int32_t io) { return kq::ijl::Read(*p, io); };
        assembler.SetJpegDecoder([ijl](const uint8_t* s, size_t n, uint8_t* out, size_t cap, uint32_t w,
                                       uint32_t h, uint16_t q) { return DecodeJpegBlock(ijl, s, n, out, cap, w, h, q); });
    }
    MirageReceiveBuffers Buffers()
    {
        return {wire.data(), wire.size(), area.data(), area.size(), kMirageBlockSlotStride,
                frame.data(), frame.size(), shape, rects};
    }
    MirageReceiveCapacity Capacity() const
    {
        return {wire.size(), kClass1Buffer, kMirageBlockSlots, kMirageBlockSlotStride, kMirageBlockAreaSize,
                kClass1Buffer};
    }
    // Parses and accepts one datagram as the receive thread does.
    CFrameAssembler::Outcome Feed(const void* datagram)
    {
        ParsedDatagram parsed;
        if (!ParseMirageDatagram(static_cast<const uint8_t*>(datagram), kMirageDatagramSize, Capacity(), parsed))
            return CFrameAssembler::Outcome::Dropped;
        return assembler.Accept(parsed);
    }
    void SendStream(const std::vector<uint8_t>& stream)
    {
        for (uint32_t n = 0; n * kMirageFragmentPayload < stream.size(); ++n) {
            const MirageScreenFragment f = BuildScreenFragment(kTeacher, n, stream.data(), stream.size());
            EXPECT_EQ(CFrameAssembler::Outcome::Stored, Feed(&f));
        }
    }
};

// Bottom-up packed rows of a picture whose pixel (x, y from the top) has a
// value that tells where it came from.
std::vector<uint8_t> Picture(uint32_t width, uint32_t height, uint32_t bits, uint8_t seed)
{
    const uint32_t pixelBytes = bits / 8;
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * pixelBytes);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (uint32_t c = 0; c < pixelBytes; ++c)
                rows[((height - 1 - y) * width + x) * pixelBytes + c] = static_cast<uint8_t>(seed + x * 3 + y * 7 + c);
    return rows;
}

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw)
{
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> out(length);
    EXPECT_EQ(Z_OK, compress2(out.data(), &length, raw.data(), static_cast<uLong>(raw.size()), 6));
    out.resize(length);
    return out;
}

// The zlib stream a sender makes: the rows and 2,048 bytes more of the
// capture service's layout, which starts with the palette at 8 bits.
std::vector<uint8_t> ZlibBlock(const std::vector<uint8_t>& rows, const std::vector<uint8_t>& palette = {})
{
    std::vector<uint8_t> source = palette;
    source.insert(source.end(), rows.begin(), rows.end());
    source.resize(rows.size() + kZlibSlack);
    return Zlib(source);
}

MirageBlockInfo Header(uint8_t compression, uint32_t length, uint16_t bits = 24, uint16_t width = kWidth,
                       uint16_t height = kHeight)
{
    MirageBlockInfo b;
    b.compression = compression;
    b.bitsPerPixel = bits;
    b.frameWidth = width;
    b.frameHeight = height;
    b.length = length;
    b.quality = 60;
    b.fragmentCount = static_cast<uint32_t>((length + kMirageFragmentPayload - 1) / kMirageFragmentPayload);
    b.rect = {0, 0, width, height};
    return b;
}

// Sends one whole-screen zlib frame; true when it composed.
bool SendZlibFrame(Station& s, const std::vector<uint8_t>& rows, uint16_t bits = 24,
                   const std::vector<uint8_t>& palette = {}, uint16_t width = kWidth)
{
    const std::vector<uint8_t> stream = ZlibBlock(rows, palette);
    s.SendStream(stream);
    const MirageBlockHeader h =
        BuildBlockHeader(kTeacher, Header(MIRAGE_COMPRESSION_ZLIB, stream.size(), bits, width));
    if (s.Feed(&h) != CFrameAssembler::Outcome::BlockDecoded)
        return false;
    const MirageBlockHeader end = BuildFrameEnd(kTeacher, Header(MIRAGE_COMPRESSION_ZLIB, 0, bits, width));
    return s.Feed(&end) == CFrameAssembler::Outcome::FrameComposed;
}

bool FrameIs(const Station& s, const std::vector<uint8_t>& rows)
{
    return std::memcmp(s.frame.data(), rows.data(), rows.size()) == 0;
}

TEST(ReceivePath, ZlibFramesComposeAtEachDepthAndEightBitsKeepTheirPalette)
{
    for (const uint16_t bits : {16, 24}) {
        Station s;
        const std::vector<uint8_t> rows = Picture(kWidth, kHeight, bits, 1);
        ASSERT_TRUE(SendZlibFrame(s, rows, bits)) << bits;
        EXPECT_TRUE(FrameIs(s, rows)) << bits;
        EXPECT_EQ(bits, s.assembler.Geometry().bitsPerPixel);
        EXPECT_EQ(0u, s.assembler.Counters().fragmentsLost);
    }
    Station s;
    std::vector<uint8_t> palette(kMiragePaletteBytes);
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<uint8_t>(255 - i);
    const std::vector<uint8_t> rows = Picture(kWidth, kHeight, 8, 9);
    ASSERT_TRUE(SendZlibFrame(s, rows, 8, palette));
    EXPECT_TRUE(FrameIs(s, rows)); // the palette is not drawn as pixels
    EXPECT_EQ(0, std::memcmp(s.assembler.Palette(), palette.data(), palette.size()));
}

TEST(ReceivePath, AFrameOfAnOddWidthKeepsItsRowsWhereTheViewerReadsThem)
{
    // 13 pixels make 39, 26 or 13 bytes; each row of the frame buffer starts
    // at the stride the viewer hands to GDI, so no row slides into the next.
    constexpr uint16_t kOddWidth = 13;
    for (const uint16_t bits : {8, 16, 24}) {
        SCOPED_TRACE(bits);
        Station s;
        const std::vector<uint8_t> rows = Picture(kOddWidth, kHeight, bits, 4);
        const std::vector<uint8_t> palette(bits == 8 ? kMiragePaletteBytes : 0, 0x11);
        ASSERT_TRUE(SendZlibFrame(s, rows, bits, palette, kOddWidth));
        const size_t stride = CFrameAssembler::FrameStride(s.assembler.Geometry());
        const size_t packed = static_cast<size_t>(kOddWidth) * bits / 8;
        EXPECT_EQ(stride, FrameRowBytes(kOddWidth, bits));
        EXPECT_EQ(stride % kFrameRowAlignBytes, 0u);
        for (size_t row = 0; row < kHeight; ++row)
            ASSERT_EQ(0, std::memcmp(s.frame.data() + row * stride, rows.data() + row * packed, packed)) << row;
    }
}

TEST(ReceivePath, JpegFrameDecodesWithinTolerance)
{
    Station s;
    // Flat 16 x 8 tiles, which JPEG keeps close.
    std::vector<uint8_t> rows(size_t{kWidth} * kHeight * 3);
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x)
            for (uint32_t c = 0; c < 3; ++c)
                rows[(y * kWidth + x) * 3 + c] = static_cast<uint8_t>((x / 16) * 50 + (y / 8) * 20 + c * 30);
    JPEG_CORE_PROPERTIES p = {};
    ASSERT_EQ(IJL_OK, kq::ijl::Init(p));
    std::vector<uint8_t> stream(64 * 1024);
    p.DIBBytes = const_cast<uint8_t*>(rows.data());
    p.DIBWidth = kWidth;
    p.DIBHeight = kHeight;
    p.DIBChannels = 3;
    p.DIBColor = IJL_BGR;
    p.JPGBytes = stream.data();
    p.JPGSizeBytes = static_cast<int32_t>(stream.size());
    p.JPGWidth = kWidth;
    p.JPGHeight = kHeight;
    p.JPGChannels = 3;
    p.jquality = 90;
    ASSERT_EQ(IJL_OK, kq::ijl::Write(p, IJL_JBUFF_WRITEWHOLEIMAGE));
    stream.resize(static_cast<size_t>(p.JPGSizeBytes));
    kq::ijl::Free(p);

    s.SendStream(stream);
    const MirageBlockHeader h = BuildBlockHeader(kTeacher, Header(MIRAGE_COMPRESSION_JPEG, stream.size()));
    ASSERT_EQ(CFrameAssembler::Outcome::BlockDecoded, s.Feed(&h));
    const MirageBlockHeader end = BuildFrameEnd(kTeacher, Header(MIRAGE_COMPRESSION_JPEG, 0));
    ASSERT_EQ(CFrameAssembler::Outcome::FrameComposed, s.Feed(&end));
    // Sampled in the middle of each tile.
    int worst = 0;
    for (uint32_t y = 4; y < kHeight; y += 8)
        for (uint32_t x = 8; x < kWidth; x += 16)
            for (uint32_t c = 0; c < 3; ++c) {
                const size_t i = (y * kWidth + x) * 3 + c;
                worst = std::max(worst, std::abs(int(rows[i]) - int(s.frame[i])));
            }
    EXPECT_LT(worst, 12);

    // The same stream announced for a larger block decodes to the wrong size.
    MirageBlockInfo wrongSize = Header(MIRAGE_COMPRESSION_JPEG, stream.size());
    wrongSize.rect = {0, 0, kWidth, kHeight / 2};
    const MirageBlockHeader bad = BuildBlockHeader(kTeacher, wrongSize);
    EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&bad));
}

TEST(ReceivePath, MalformedDatagramsAreDroppedAndTheNextGoodFrameComposes)
{
    struct Case {
        const char* name;
        std::function<void(Station&)> send;
    };
    const std::vector<uint8_t> junk(3000, 0xAB);
    auto header = [](Station& s, MirageBlockInfo b) {
        const MirageBlockHeader h = BuildBlockHeader(kTeacher, b);
        EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&h));
    };
    auto frameEnd = [](Station& s, MirageBlockInfo b) {
        const MirageBlockHeader h = BuildFrameEnd(kTeacher, b);
        EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&h));
    };
    const Case cases[] = {
        {"fragment past the wire buffer",
         [](Station& s) {
             const uint8_t stream[1] = {1};
             for (const uint32_t n : {1043u, 2335u, 0xFFFFFFFFu}) {
                 const MirageScreenFragment f = BuildScreenFragment(kTeacher, n, stream, 0);
                 EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&f)) << n;
             }
         }},
        {"length past the capacity",
         [&](Station& s) { header(s, Header(MIRAGE_COMPRESSION_ZLIB, kClass1Buffer + 1)); }},
        {"block index 16",
         [&](Station& s) {
             MirageBlockInfo b = Header(MIRAGE_COMPRESSION_ZLIB, 100);
             b.blockIndex = 16;
             header(s, b);
         }},
        {"shape part 2",
         [](Station& s) {
             uint8_t area[kMirageCursorShapeAreaSize] = {};
             MirageCursorShapeFragment c = BuildCursorShapeFragment(kTeacher, 1, area);
             c.part = 2;
             EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&c));
         }},
        {"compression 1",
         [&](Station& s) {
             MirageBlockHeader h = BuildBlockHeader(kTeacher, Header(MIRAGE_COMPRESSION_ZLIB, 100));
             h.compression = 1;
             EXPECT_EQ(CFrameAssembler::Outcome::Dropped, s.Feed(&h));
         }},
        {"zero width and height",
         [&](Station& s) {
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, 100, 24, 0, kHeight));
             frameEnd(s, Header(MIRAGE_COMPRESSION_ZLIB, 0, 24, 0, kHeight));
             frameEnd(s, Header(MIRAGE_COMPRESSION_ZLIB, 0, 24, kWidth, 0));
         }},
        {"oversized geometry",
         [&](Station& s) {
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, 100, 24, 1024, 768));
             frameEnd(s, Header(MIRAGE_COMPRESSION_ZLIB, 0, 24, 4000, 3000));
         }},
        {"32 bits per pixel",
         [&](Station& s) {
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, 100, 32));
             frameEnd(s, Header(MIRAGE_COMPRESSION_ZLIB, 0, 32));
         }},
        {"rectangle outside the frame",
         [&](Station& s) {
             for (const MirageRect r : {MirageRect{-1, 0, kWidth, kHeight}, MirageRect{0, 0, kWidth + 1, kHeight},
                                        MirageRect{0, 0, kWidth, kHeight + 1}, MirageRect{10, 10, 10, 20}}) {
                 MirageBlockInfo b = Header(MIRAGE_COMPRESSION_ZLIB, 100);
                 b.rect = r;
                 header(s, b);
             }
         }},
        {"zlib stream shorter than its block",
         [&](Station& s) {
             const std::vector<uint8_t> stream = Zlib(std::vector<uint8_t>(100, 7));
             s.SendStream(stream);
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, stream.size()));
         }},
        {"zlib stream one byte short of or past a sender's",
         [&](Station& s) {
             const size_t senders = size_t{kWidth} * kHeight * 3 + kZlibSlack;
             for (const size_t size : {senders - 1, senders + 1}) {
                 const std::vector<uint8_t> stream = Zlib(std::vector<uint8_t>(size, 9));
                 s.SendStream(stream);
                 header(s, Header(MIRAGE_COMPRESSION_ZLIB, stream.size()));
             }
         }},
        {"zlib stream cut short",
         [&](Station& s) {
             std::vector<uint8_t> stream = ZlibBlock(Picture(kWidth, kHeight, 24, 5));
             stream.resize(stream.size() - 4); // no checksum
             s.SendStream(stream);
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, stream.size()));
         }},
        {"garbage announced as JPEG and as zlib",
         [&](Station& s) {
             s.SendStream(junk);
             header(s, Header(MIRAGE_COMPRESSION_JPEG, junk.size()));
             header(s, Header(MIRAGE_COMPRESSION_ZLIB, junk.size()));
         }},
        {"JPEG block claiming 16 bits",
         [&](Station& s) { header(s, Header(MIRAGE_COMPRESSION_JPEG, 100, 16)); }},
    };
    for (const Case& c : cases) {
        Station s;
        const std::vector<uint8_t> first = Picture(kWidth, kHeight, 24, 3);
        ASSERT_TRUE(SendZlibFrame(s, first)) << c.name;
        c.send(s);
        const MirageGeometry kept = s.assembler.Geometry();
        EXPECT_EQ(kWidth, kept.width) << c.name;
        EXPECT_EQ(kHeight, kept.height) << c.name;
        EXPECT_TRUE(FrameIs(s, first)) << c.name;
        const std::vector<uint8_t> next = Picture(kWidth, kHeight, 24, 50);
        EXPECT_TRUE(SendZlibFrame(s, next)) << c.name;
        EXPECT_TRUE(FrameIs(s, next)) << c.name;
    }
}

TEST(ReceivePath, AFrameEndOfAnotherDepthComposesNoStaleBlock)
{
    Station s;
    const std::vector<uint8_t> rows = Picture(kWidth, kHeight, 24, 3);
    const std::vector<uint8_t> stream = ZlibBlock(rows);
    s.SendStream(stream);
    const MirageBlockHeader h = BuildBlockHeader(kTeacher, Header(MIRAGE_COMPRESSION_ZLIB, stream.size()));
    ASSERT_EQ(CFrameAssembler::Outcome::BlockDecoded, s.Feed(&h));
    // A frame end at 8 bits and twice the size: the 24-bit block stays out.
    std::fill(s.frame.begin(), s.frame.end(), 0x5A);
    const MirageBlockHeader end = BuildFrameEnd(kTeacher, Header(MIRAGE_COMPRESSION_ZLIB, 0, 8, 2 * kWidth));
    ASSERT_EQ(CFrameAssembler::Outcome::FrameComposed, s.Feed(&end));
    EXPECT_EQ(std::vector<uint8_t>(s.frame.size(), 0x5A), s.frame);
    EXPECT_TRUE(IsEmptyRect(s.rects[0])); // used up either way
}

TEST(ReceivePath, LostFragmentsAreCountedAndShapePartsLandInTheirHalf)
{
    Station s;
    const std::vector<uint8_t> stream(5000, 1);
    const MirageScreenFragment f = BuildScreenFragment(kTeacher, 0, stream.data(), stream.size());
    s.Feed(&f);
    MirageBlockInfo b = Header(MIRAGE_COMPRESSION_ZLIB, stream.size());
    const MirageBlockHeader h = BuildBlockHeader(kTeacher, b); // 5 announced, 1 received
    s.Feed(&h);
    EXPECT_EQ(4u, s.assembler.Counters().fragmentsLost);
    EXPECT_EQ(1u, s.assembler.Counters().blocksDropped);

    uint8_t area[kMirageCursorShapeAreaSize];
    for (size_t i = 0; i < sizeof area; ++i)
        area[i] = static_cast<uint8_t>(i);
    for (const uint32_t part : {1u, 0u}) {
        const MirageCursorShapeFragment c = BuildCursorShapeFragment(kTeacher, part, area);
        EXPECT_EQ(CFrameAssembler::Outcome::Stored, s.Feed(&c));
    }
    EXPECT_EQ(0, std::memcmp(area, s.shape, sizeof area));
}

} // namespace

namespace {

TEST(ReceivePath, RecordedRawFrameAndJpegBlockComposeWithTheLiveChecks)
{
    constexpr uint16_t kOddWidth = 13;
    for (const uint16_t bits : {8, 16, 24}) {
        SCOPED_TRACE(bits);
        Station s;
        const std::vector<uint8_t> rows = Picture(kOddWidth, kHeight, bits, 9);
        const MirageGeometry g = {kOddWidth, kHeight, static_cast<uint8_t>(bits)};
        const MirageRect whole = {0, 0, kOddWidth, kHeight};
        // A length that does not match the rectangle, a rectangle past the
        // frame and a frame beyond the buffer reach no buffer.
        EXPECT_FALSE(s.assembler.StoreRawBlock(whole, g, rows.data(), rows.size() - 1));
        EXPECT_FALSE(s.assembler.StoreRawBlock({0, 0, kOddWidth + 1, kHeight}, g, rows.data(), rows.size()));
        EXPECT_FALSE(s.assembler.StoreRawBlock(whole, {4096, 4096, 24}, rows.data(), rows.size()));
        ASSERT_TRUE(s.assembler.StoreRawBlock(whole, g, rows.data(), rows.size()));
        ASSERT_TRUE(s.assembler.EndStoredFrame(g));
        const size_t stride = CFrameAssembler::FrameStride(g);
        const size_t packed = static_cast<size_t>(kOddWidth) * bits / 8;
        for (size_t row = 0; row < kHeight; ++row)
            ASSERT_EQ(0, std::memcmp(s.frame.data() + row * stride, rows.data() + row * packed, packed)) << row;
    }
    // A recorded JPEG stream that is no JPEG is dropped; one longer than the
    // wire buffer never reaches it.
    Station s;
    const std::vector<uint8_t> junk(500, 0x5A);
    EXPECT_FALSE(s.assembler.DecodeStoredJpeg(0, {0, 0, kWidth, kHeight}, {kWidth, kHeight, 24}, 60, junk.data(),
                                              junk.size()));
    EXPECT_FALSE(s.assembler.DecodeStoredJpeg(0, {0, 0, kWidth, kHeight}, {kWidth, kHeight, 24}, 60, junk.data(),
                                              s.wire.size() + 1));
    EXPECT_FALSE(s.assembler.DecodeStoredJpeg(16, {0, 0, kWidth, kHeight}, {kWidth, kHeight, 24}, 60, junk.data(),
                                              junk.size()));
}

} // namespace
