// The sender's compressor: a stream that failed or did not fit is reported as
// length 0, so the sender sends neither its fragments nor its header.

#include "broadcast/BlockCompressor.h"
#include "broadcast/MirageDatagram.h"

#include <gtest/gtest.h>
#include <zlib.h>

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
