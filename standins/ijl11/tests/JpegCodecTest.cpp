// The JPEG layer: round trips through the padded bottom-up BGR layout, the
// record's sub-sampling, and the errors a sender's buffer or a received
// stream can cause. Received streams come from any PC on the classroom
// group: the fixtures below must each be refused without a byte written
// outside the DIB (the guard bytes, and the sanitizers in the native run).

#include "standins/ijl11/JpegCodec.h"

#include <turbojpeg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardBytes = 64;

int PadFor(int width)
{
    return ((3 * width + 3) & ~3) - 3 * width;
}

// A DIB followed by guard bytes that nothing may touch.
struct Dib {
    int width;
    int height;
    std::vector<uint8_t> bytes;

    Dib(int w, int h) : width(w), height(h), bytes(RowBytes() * h + kGuardBytes, kGuard) {}
    size_t RowBytes() const { return static_cast<size_t>(3 * width + PadFor(width)); }
    size_t Size() const { return RowBytes() * height; }
    uint8_t* Pixel(int x, int dibRow) { return bytes.data() + dibRow * RowBytes() + 3 * x; }
    bool GuardIntact() const
    {
        for (size_t i = Size(); i < bytes.size(); ++i)
            if (bytes[i] != kGuard)
                return false;
        return true;
    }
};

// Blue rises along x, green falls down the DIB rows, red is a constant: a
// swap of channels or of the row order shows. Ramps are gentle enough for
// the encoder's halved chroma even on a picture 3 pixels wide.
constexpr int kMinRamp = 15;
Dib Gradient(int width, int height)
{
    Dib dib(width, height);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = dib.Pixel(x, row);
            p[0] = static_cast<uint8_t>(x * 255 / std::max(width - 1, kMinRamp));
            p[1] = static_cast<uint8_t>(255 - row * 255 / std::max(height - 1, kMinRamp));
            p[2] = 200;
        }
        for (int k = 0; k < PadFor(width); ++k)
            dib.Pixel(width, row)[k] = 0;
    }
    return dib;
}

void Describe(JPEG_CORE_PROPERTIES& p, Dib& dib)
{
    p.DIBBytes = dib.bytes.data();
    p.DIBWidth = dib.width;
    p.DIBHeight = dib.height;
    p.DIBPadBytes = PadFor(dib.width);
    p.DIBChannels = 3;
    p.DIBColor = IJL_BGR;
}

// Encodes `dib` at `quality`; the stream, or empty on failure.
std::vector<uint8_t> Encode(Dib& dib, int quality, int32_t* result = nullptr, size_t room = 1 << 22,
                            int32_t subsampling = IJL_411)
{
    JPEG_CORE_PROPERTIES p;
    kq::ijl::Init(p);
    Describe(p, dib);
    std::vector<uint8_t> out(room + kGuardBytes, kGuard);
    p.JPGBytes = out.data();
    p.JPGSizeBytes = static_cast<int32_t>(room);
    p.JPGWidth = dib.width;
    p.JPGHeight = dib.height;
    p.JPGSubsampling = subsampling;
    p.jquality = quality;
    const int32_t r = kq::ijl::Write(p, IJL_JBUFF_WRITEWHOLEIMAGE);
    if (result != nullptr)
        *result = r;
    for (size_t i = room; i < out.size(); ++i)
        EXPECT_EQ(out[i], kGuard) << "written past the output at " << i;
    kq::ijl::Free(p);
    if (r != IJL_OK)
        return {};
    out.resize(static_cast<size_t>(p.JPGSizeBytes));
    return out;
}

int32_t Decode(std::vector<uint8_t> stream, Dib& dib)
{
    JPEG_CORE_PROPERTIES p;
    kq::ijl::Init(p);
    Describe(p, dib);
    p.JPGBytes = stream.data();
    p.JPGSizeBytes = static_cast<int32_t>(stream.size());
    const int32_t r = kq::ijl::Read(p, IJL_JBUFF_READWHOLEIMAGE);
    kq::ijl::Free(p);
    return r;
}

int MaxChannelError(Dib& a, Dib& b)
{
    int worst = 0;
    for (int row = 0; row < a.height; ++row)
        for (int x = 0; x < a.width * 3; ++x)
            worst = std::max(worst, std::abs(a.Pixel(0, row)[x] - b.Pixel(0, row)[x]));
    return worst;
}

// The offset of the first marker `code` in a stream, or 0.
size_t FindMarker(const std::vector<uint8_t>& stream, uint8_t code)
{
    for (size_t i = 2; i + 1 < stream.size(); ++i)
        if (stream[i] == 0xFF && stream[i + 1] == code)
            return i;
    return 0;
}

// The stream without its Huffman table segments: its scans use tables it
// never defines.
std::vector<uint8_t> WithoutHuffmanTables(std::vector<uint8_t> stream)
{
    for (size_t at = FindMarker(stream, 0xC4); at != 0; at = FindMarker(stream, 0xC4)) {
        const size_t length = 2 + (size_t{stream[at + 2]} << 8 | stream[at + 3]);
        stream.erase(stream.begin() + static_cast<std::ptrdiff_t>(at),
                     stream.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    return stream;
}

TEST(JpegCodec, RoundTripErrorLoosensAsQualityFalls)
{
    struct Case {
        int quality;
        int maxError;
    };
    const Case cases[] = {{90, 24}, {50, 40}, {10, 90}};
    for (const Case& c : cases) {
        Dib original = Gradient(64, 48);
        const auto stream = Encode(original, c.quality);
        ASSERT_FALSE(stream.empty()) << c.quality;
        Dib back(64, 48);
        ASSERT_EQ(Decode(stream, back), IJL_OK) << c.quality;
        EXPECT_LE(MaxChannelError(original, back), c.maxError) << "quality " << c.quality;
        EXPECT_TRUE(back.GuardIntact());
    }
    // Lower quality, smaller stream.
    Dib dib = Gradient(64, 48);
    EXPECT_LT(Encode(dib, 10).size(), Encode(dib, 90).size());
}

TEST(JpegCodec, PaddedBgrBottomUpRowsSurviveAtOddWidths)
{
    for (int width : {1, 3, 1018}) {
        const int height = 16;
        Dib original = Gradient(width, height);
        const auto stream = Encode(original, 90);
        ASSERT_FALSE(stream.empty()) << width;

        // The stream itself is a top-down RGB picture: read plainly, its first
        // row is the DIB's last.
        tjhandle plain = tjInitDecompress();
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        ASSERT_EQ(tjDecompress2(plain, stream.data(), stream.size(), rgb.data(), width, 0, height, TJPF_RGB, 0), 0);
        tjDestroy(plain);
        const uint8_t* topLeft = rgb.data();
        const uint8_t* bottomLeft = rgb.data() + static_cast<size_t>(height - 1) * width * 3;
        EXPECT_NEAR(topLeft[1], original.Pixel(0, height - 1)[1], 24) << width;   // green of the last DIB row
        EXPECT_NEAR(bottomLeft[1], original.Pixel(0, 0)[1], 24) << width;         // first DIB row at the bottom
        EXPECT_NEAR(topLeft[0], 200, 24) << "red is the DIB's third byte, width " << width;

        Dib back(width, height);
        std::fill(back.bytes.begin(), back.bytes.end(), kGuard);
        ASSERT_EQ(Decode(stream, back), IJL_OK) << width;
        EXPECT_LE(MaxChannelError(original, back), 24) << width;
        for (int row = 0; row < height; ++row)
            for (int k = 0; k < PadFor(width); ++k)
                EXPECT_EQ(back.Pixel(width, row)[k], 0) << "padding of row " << row;
        EXPECT_TRUE(back.GuardIntact()) << width;
    }
}

TEST(JpegCodec, SubsamplingFollowsTheRecord)
{
    struct Case {
        int32_t ijl;
        int expected;
    };
    const Case cases[] = {{IJL_411, TJSAMP_420}, {IJL_422, TJSAMP_422}, {IJL_NONE, TJSAMP_444}};
    Dib dib = Gradient(64, 48);
    std::vector<size_t> sizes;
    for (const Case& c : cases) {
        const auto stream = Encode(dib, 60, nullptr, 1 << 22, c.ijl);
        ASSERT_FALSE(stream.empty()) << c.ijl;
        tjhandle plain = tjInitDecompress();
        int w = 0, h = 0, subsampling = -1, colourspace = -1;
        ASSERT_EQ(tjDecompressHeader3(plain, stream.data(), stream.size(), &w, &h, &subsampling, &colourspace), 0);
        tjDestroy(plain);
        EXPECT_EQ(subsampling, c.expected) << c.ijl;
        EXPECT_EQ(colourspace, TJCS_YCbCr) << c.ijl;
        sizes.push_back(stream.size());
    }
    EXPECT_LT(sizes[0], sizes[2]) << "halved chroma makes a smaller stream";
}

TEST(JpegCodec, TooSmallOutputIsAnErrorWithNothingPastIt)
{
    Dib dib = Gradient(200, 100);
    const auto whole = Encode(dib, 90);
    const size_t needed = whole.size();
    ASSERT_GT(needed, 100u);
    int32_t result = 0;
    EXPECT_TRUE(Encode(dib, 90, &result, needed - 1).empty());
    EXPECT_EQ(result, IJL_BUFFER_TOO_SMALL);
    EXPECT_EQ(Encode(dib, 90, &result, needed), whole) << "exactly enough room gives the same stream";
}

TEST(JpegCodec, BadStreamsAreRefusedWithNothingPastTheDib)
{
    Dib dib = Gradient(40, 30);
    const auto good = Encode(dib, 60);
    ASSERT_FALSE(good.empty());

    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<uint8_t> cutWithEnd = truncated;
    cutWithEnd.insert(cutWithEnd.end(), {0xFF, 0xD9});
    std::vector<uint8_t> corrupt = good;
    corrupt[0] = 0;
    std::vector<uint8_t> badFrame = good;
    badFrame[FindMarker(good, 0xC0) + 4] = 12; // 12-bit precision
    std::vector<uint8_t> undefinedTable = good;
    undefinedTable[FindMarker(good, 0xDA) + 6] = 0x23; // first component: DC table 2, AC table 3
    // A table of 257 codes inside a segment long enough for them.
    std::vector<uint8_t> tooManyCodes = {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0x14, 0x00};
    for (int i = 0; i < 16; ++i)
        tooManyCodes.push_back(i == 15 ? 17 : 16);
    tooManyCodes.resize(tooManyCodes.size() + 257, 0);
    tooManyCodes.insert(tooManyCodes.end(), good.begin() + 2, good.end());
    std::vector<uint8_t> garbage(900);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<uint8_t>(i * 37 + 11);
    garbage.front() = 0xFF;
    garbage[1] = 0xD8;
    garbage[garbage.size() - 2] = 0xFF;
    garbage.back() = 0xD9;
    struct Case {
        const char* name;
        std::vector<uint8_t> stream;
        int width;
        int height;
        int32_t expected;
    };
    const Case cases[] = {
        {"truncated", truncated, 40, 30, IJL_BAD_STREAM},
        {"truncated, end marker put back", cutWithEnd, 40, 30, IJL_BAD_STREAM},
        {"no start marker", corrupt, 40, 30, IJL_BAD_STREAM},
        {"bad frame header", badFrame, 40, 30, IJL_BAD_STREAM},
        {"too few bytes", {0xFF, 0xD9}, 40, 30, IJL_BAD_STREAM},
        {"table longer than the stream", {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0xA2, 0x00, 0xFF, 0xD9}, 40, 30,
         IJL_BAD_STREAM},
        {"table of 257 codes", tooManyCodes, 40, 30, IJL_BAD_STREAM},
        {"scan uses tables never defined", undefinedTable, 40, 30, IJL_BAD_STREAM},
        {"no Huffman tables at all", WithoutHuffmanTables(good), 40, 30, IJL_BAD_STREAM},
        {"garbage between the markers", garbage, 40, 30, IJL_BAD_STREAM},
        {"wider than the DIB", good, 39, 30, IJL_SIZE_MISMATCH},
        {"taller than the DIB", good, 40, 29, IJL_SIZE_MISMATCH},
        {"smaller than the DIB", good, 41, 31, IJL_SIZE_MISMATCH},
    };
    for (const Case& c : cases) {
        Dib target(c.width, c.height);
        std::fill(target.bytes.begin(), target.bytes.end(), kGuard);
        EXPECT_EQ(Decode(c.stream, target), c.expected) << c.name;
        EXPECT_TRUE(target.GuardIntact()) << c.name;
    }
    Dib target(40, 30);
    EXPECT_EQ(Decode(good, target), IJL_OK) << "the fixtures' source stream itself is sound";
}

TEST(JpegCodec, RefusesUninitialisedRecordsAndOtherOperations)
{
    Dib dib = Gradient(8, 8);
    JPEG_CORE_PROPERTIES p = {};
    Describe(p, dib);
    EXPECT_EQ(kq::ijl::Write(p, IJL_JBUFF_WRITEWHOLEIMAGE), IJL_INVALID_ENCODER);
    kq::ijl::Init(p);
    Describe(p, dib);
    EXPECT_EQ(kq::ijl::Write(p, IJL_JBUFF_READWHOLEIMAGE), IJL_UNSUPPORTED_IO);
    EXPECT_EQ(kq::ijl::Write(p, IJL_JBUFF_WRITEWHOLEIMAGE), IJL_BAD_PARAMETER); // no output buffer
    p.DIBPadBytes = 4;
    EXPECT_EQ(kq::ijl::Read(p, IJL_JBUFF_READWHOLEIMAGE), IJL_BAD_PARAMETER);
    EXPECT_EQ(kq::ijl::Free(p), IJL_OK);
    EXPECT_EQ(kq::ijl::Free(p), IJL_INVALID_ENCODER);
}

} // namespace
