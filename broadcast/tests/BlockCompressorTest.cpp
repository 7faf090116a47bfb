// The sender's compressor: a stream that failed or did not fit is reported as
// length 0, so the sender sends neither its fragments nor its header. Its
// lossless streams are zlib streams: zlib's own uncompress and the engine's
// receive path read them back to the same pixels.

#include "broadcast/BlockCompressor.h"
#include "broadcast/FrameAssembler.h"
#include "broadcast/MirageDatagram.h"
#include "broadcast/MirageEngineState.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kWidth = 64;
constexpr uint32_t kHeight = 32;
constexpr size_t kSlack = 2048; // zlib reads the rows and 2,048 bytes more

std::vector<uint8_t> Rows(uint32_t bits)
{
    std::vector<uint8_t> rows(kWidth * kHeight * bits / 8 + kSlack);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<uint8_t>((i * 7) ^ (i >> 5));
    return rows;
}

TEST(BlockCompressor, ZlibStreamsRoundTripAndFailuresGiveZero)
{
    CBlockCompressor compressor;
    const auto rows = Rows(24);
    std::vector<uint8_t> out(rows.size() * 2);
    const size_t length =
        compressor.Compress(MIRAGE_COMPRESSION_ZLIB, rows.data(), kWidth, kHeight, 24, 10, out.data(), out.size());
    ASSERT_GT(length, 0u);
    std::vector<uint8_t> back(rows.size());
    uLongf backLength = back.size();
    ASSERT_EQ(uncompress(back.data(), &backLength, out.data(), length), Z_OK);
    EXPECT_EQ(back, rows);

    EXPECT_EQ(compressor.Compress(MIRAGE_COMPRESSION_ZLIB, rows.data(), kWidth, kHeight, 24, 10, out.data(), 16),
              0u) << "the stream does not fit";
}

// Bottom-up rows of `bits` per pixel as the engine composes them into its
// frame buffer (sized as the engine sizes it) from a lossless block of the
// whole frame.
std::vector<uint8_t> ReceivedFrame(const std::vector<uint8_t>& stream, uint32_t bits)
{
    constexpr size_t kFrameBufferSlack = 131072;
    std::vector<uint8_t> wire(stream.size() + kMirageWireSlack);
    std::vector<uint8_t> area(kMirageBlockAreaSize);
    std::vector<uint8_t> frame(size_t{kWidth} * kHeight * 3 + kFrameBufferSlack);
    uint8_t shape[kMirageCursorShapeAreaSize] = {};
    MirageRect rects[kMirageFrameRects] = {};
    CFrameAssembler receiver({wire.data(), wire.size(), area.data(), area.size(), kMirageBlockSlotStride,
                              frame.data(), frame.size(), shape, rects});
    std::memcpy(wire.data(), stream.data(), stream.size()); // as the fragments leave it
    ParsedDatagram block;
    block.message = MirageMessage::BlockHeader;
    block.compression = MIRAGE_COMPRESSION_ZLIB;
    block.bitsPerPixel = static_cast<uint8_t>(bits);
    block.frameWidth = kWidth;
    block.frameHeight = kHeight;
    block.length = static_cast<uint32_t>(stream.size());
    block.rect = {0, 0, kWidth, kHeight};
    ParsedDatagram end = block;
    end.message = MirageMessage::FrameEnd;
    EXPECT_EQ(receiver.Accept(block), CFrameAssembler::Outcome::BlockDecoded) << bits;
    EXPECT_EQ(receiver.Accept(end), CFrameAssembler::Outcome::FrameComposed) << bits;
    frame.resize(size_t{kWidth} * kHeight * bits / 8);
    return frame;
}

TEST(BlockCompressor, ZlibAndTheReceivePathReadALosslessFrameToTheSamePixels)
{
    CBlockCompressor compressor;
    for (const uint32_t bits : {8u, 16u, 24u}) {
        const auto rows = Rows(bits);
        std::vector<uint8_t> out(rows.size() * 2);
        const size_t length = compressor.Compress(MIRAGE_COMPRESSION_ZLIB, rows.data(), kWidth, kHeight, bits, 10,
                                                  out.data(), out.size());
        ASSERT_GT(length, 0u) << bits;
        out.resize(length);
        std::vector<uint8_t> unzipped(rows.size());
        uLongf unzippedLength = unzipped.size();
        ASSERT_EQ(uncompress(unzipped.data(), &unzippedLength, out.data(), length), Z_OK) << bits;
        ASSERT_EQ(unzipped, rows) << bits;

        // The frame's pixels: after the palette at 8 bits.
        const size_t first = bits == 8 ? kMiragePaletteBytes : 0;
        const std::vector<uint8_t> pixels(unzipped.begin() + static_cast<std::ptrdiff_t>(first),
                                          unzipped.begin() + static_cast<std::ptrdiff_t>(first) +
                                              static_cast<std::ptrdiff_t>(size_t{kWidth} * kHeight * bits / 8));
        EXPECT_EQ(ReceivedFrame(out, bits), pixels) << bits;
    }
}

TEST(BlockCompressor, JpegNeeds24BitRowsAndRoom)
{
    CBlockCompressor compressor;
    const auto rows = Rows(24);
    std::vector<uint8_t> out(1 << 20);
    const size_t length =
        compressor.Compress(MIRAGE_COMPRESSION_JPEG, rows.data(), kWidth, kHeight, 24, 60, out.data(), out.size());
    ASSERT_GT(length, 0u) << "ijl11.dll beside the test";
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0xD8);
    EXPECT_EQ(compressor.Compress(MIRAGE_COMPRESSION_JPEG, rows.data(), kWidth, kHeight, 24, 60, out.data(), 100),
              0u) << "the stream does not fit";
    const auto rows16 = Rows(16);
    EXPECT_EQ(compressor.Compress(MIRAGE_COMPRESSION_JPEG, rows16.data(), kWidth, kHeight, 16, 60, out.data(),
                                  out.size()),
              0u) << "16-bit rows are not what the JPEG codes deliver";
    // The next frame tries again and succeeds.
    EXPECT_EQ(compressor.Compress(MIRAGE_COMPRESSION_JPEG, rows.data(), kWidth, kHeight, 24, 60, out.data(),
                                  out.size()),
              length);
}

} // namespace
