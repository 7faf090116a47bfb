// The wire format: fragmenting and pacing, the builders, and the one parser
// that refuses whatever does not fit the receiver's buffers.

#include "broadcast/DatagramBuilder.h"
#include "broadcast/DatagramParser.h"
#include "broadcast/FragmentSchedule.h"
#include "broadcast/MirageEngineState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kClass3Buffer = 2490368; // 1024 x 768 x 3 + 131,072

MirageReceiveCapacity Class3Capacity()
{
    return {kClass3Buffer + kMirageWireSlack, kClass3Buffer, kMirageBlockSlots, kMirageBlockSlotStride,
            kMirageBlockAreaSize, kClass3Buffer};
}

template <typename T>
std::vector<uint8_t> Bytes(const T& datagram)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&datagram);
    return std::vector<uint8_t>(p, p + sizeof datagram);
}

MirageBlockInfo WholeScreenBlock()
{
    MirageBlockInfo b;
    b.compression = MIRAGE_COMPRESSION_ZLIB;
    b.bitsPerPixel = 24;
    b.frameWidth = 1024;
    b.frameHeight = 768;
    b.length = 5000;
    b.quality = 75;
    b.fragmentCount = 5;
    b.rect = {0, 0, 1024, 768};
    b.blockIndex = 0;
    b.recordBar = 1;
    b.windowed = 1;
    return b;
}

TEST(FragmentSchedule, CountsFragmentsAndPacesBursts)
{
    const struct { size_t length; uint32_t fragments; } counts[] = {
        {0, 0}, {1, 1}, {1010, 1}, {1011, 2}, {2020, 2}, {2359296, 2336},
    };
    for (const auto& c : counts)
        EXPECT_EQ(FragmentCount(c.length), c.fragments) << c.length;
    EXPECT_TRUE(StreamFitsOneBlock(2359296));
    EXPECT_FALSE(StreamFitsOneBlock(2359297));

    const struct { uint16_t burst; std::vector<uint32_t> pauses; } schedules[] = {
        {1, {1, 3, 5, 7, 9, 11}},
        {3, {3, 7, 11}},
    };
    for (const auto& s : schedules) {
        std::vector<uint32_t> pauses;
        for (uint32_t k = 0; k < 12; ++k)
            if (PauseBeforeFragment(k, s.burst))
                pauses.push_back(k);
        EXPECT_EQ(pauses, s.pauses) << "burst " << s.burst;
    }
}

TEST(DatagramBuilder, EveryUnnamedByteIsZero)
{
    // The tail fragment of a 1,011-byte stream: one byte of stream, then zeros.
    std::vector<uint8_t> stream(1011, 0xAB);
    const auto tail = Bytes(BuildScreenFragment(7, 1, stream.data(), stream.size()));
    EXPECT_EQ(tail[0], 7);
    EXPECT_EQ(tail[1], MIRAGE_KIND_SCREEN);
    EXPECT_EQ(tail[4], 1);
    EXPECT_EQ(tail[8], 0xAB);
    for (size_t i = 9; i < kMirageDatagramSize; ++i)
        ASSERT_EQ(tail[i], 0) << i;
    for (size_t i : {2, 3, 5, 6, 7})
        EXPECT_EQ(tail[i], 0) << i;

    // A block header: the named fields and the constants, nothing else.
    const auto header = Bytes(BuildBlockHeader(3, WholeScreenBlock()));
    std::vector<uint8_t> expected(kMirageDatagramSize, 0);
    const auto put = [&](size_t offset, uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i)
            expected[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, 3, 1);
    put(1, 1, 1);
    put(4, 8, 2);
    put(8, 3, 2);
    put(10, 24, 2);
    put(12, 1024, 2);
    put(14, 768, 2);
    put(16, 5000, 4);
    put(20, 75, 4);
    put(24, 5, 4);
    put(36, 1024, 4);
    put(40, 768, 4);
    put(52, 5, 4);
    put(56, 1, 4);
    put(76, 1, 1);
    put(77, 1, 1);
    EXPECT_EQ(header, expected);

    const auto watch = Bytes(BuildWatchSelect(0, 5));
    EXPECT_EQ(watch[4], 3);
    EXPECT_EQ(watch[6], 5);
    EXPECT_EQ(watch[8], 2);
    for (size_t i = 10; i < kMirageDatagramSize; ++i)
        ASSERT_EQ(watch[i], 0) << i;
}

TEST(DatagramParser, AcceptsWhatTheBuildersMake)
{
    const MirageReceiveCapacity capacity = Class3Capacity();
    ParsedDatagram p;

    const auto header = Bytes(BuildBlockHeader(3, WholeScreenBlock()));
    ASSERT_TRUE(ParseMirageDatagram(header.data(), header.size(), capacity, p));
    EXPECT_EQ(p.message, MirageMessage::BlockHeader);
    EXPECT_EQ(p.senderId, 3);
    EXPECT_EQ(p.compression, MIRAGE_COMPRESSION_ZLIB);
    EXPECT_EQ(p.bitsPerPixel, 24);
    EXPECT_EQ(p.frameWidth, 1024);
    EXPECT_EQ(p.length, 5000u);
    EXPECT_EQ(p.quality, 75);
    EXPECT_EQ(p.rect.right, 1024);
    EXPECT_EQ(p.windowed, 1);

    const auto stop = Bytes(BuildControl(9, MIRAGE_CONTROL_STOP));
    ASSERT_TRUE(ParseMirageDatagram(stop.data(), stop.size(), capacity, p));
    EXPECT_EQ(p.message, MirageMessage::Stop);
    EXPECT_EQ(p.senderId, 9);

    // The last fragment that still ends inside the wire buffer, as kind 7.
    const uint32_t last = static_cast<uint32_t>(capacity.wireBufferSize / kMirageFragmentPayload) - 1;
    auto fragment = Bytes(BuildScreenFragment(1, last, nullptr, 0));
    fragment[1] = MIRAGE_KIND_SCREEN_ALT;
    ASSERT_TRUE(ParseMirageDatagram(fragment.data(), fragment.size(), capacity, p));
    EXPECT_EQ(p.message, MirageMessage::ScreenFragment);
    EXPECT_EQ(p.targetOffset, size_t{last} * kMirageFragmentPayload);
    EXPECT_EQ(p.payload, fragment.data() + 8);

    uint8_t area[kMirageCursorShapeAreaSize] = {};
    const auto shape = Bytes(BuildCursorShapeFragment(1, 1, area));
    ASSERT_TRUE(ParseMirageDatagram(shape.data(), shape.size(), capacity, p));
    EXPECT_EQ(p.targetOffset, kMirageCursorShapePayload);

    const auto key = Bytes(BuildKeyEvent(0, 0x5B, 91, 2));
    ASSERT_TRUE(ParseMirageDatagram(key.data(), key.size(), capacity, p));
    EXPECT_EQ(p.message, MirageMessage::KeyEvent);
    EXPECT_EQ(p.virtualKey, 0x5B);
    EXPECT_EQ(p.keyFlags, 2u);
}

struct Refusal {
    const char* name;
    std::vector<uint8_t> datagram;
};

TEST(DatagramParser, RefusesWhatDoesNotFitTheReceiver)
{
    const MirageReceiveCapacity capacity = Class3Capacity();
    const auto headerWith = [](auto change) {
        MirageBlockInfo b = WholeScreenBlock();
        change(b);
        return Bytes(BuildBlockHeader(0, b));
    };
    const auto stop = Bytes(BuildControl(0, MIRAGE_CONTROL_STOP));
    auto kind2 = stop;
    kind2[1] = 2;
    auto kind6 = stop;
    kind6[1] = 6;
    auto subtype1 = stop;
    subtype1[4] = 1;
    auto subtype10 = stop;
    subtype10[4] = 10;
    auto input4 = Bytes(BuildCursorPosition(0, 1, 1));
    input4[4] = 4;
    uint8_t area[kMirageCursorShapeAreaSize] = {};
    auto part2 = Bytes(BuildCursorShapeFragment(0, 0, area));
    part2[8] = 2;
    const uint32_t pastCapacity = static_cast<uint32_t>(capacity.wireBufferSize / kMirageFragmentPayload);

    const Refusal refusals[] = {
        {"10 bytes", std::vector<uint8_t>(stop.begin(), stop.begin() + 10)},
        {"1,023 bytes", std::vector<uint8_t>(stop.begin(), stop.end() - 1)},
        {"1,025 bytes", [&] { auto d = stop; d.push_back(0); return d; }()},
        {"kind 2", kind2},
        {"kind 6", kind6},
        {"control subtype 1", subtype1},
        {"control subtype 10", subtype10},
        {"input subtype 4", input4},
        {"cursor-shape part 2", part2},
        {"compression 1", headerWith([](MirageBlockInfo& b) { b.compression = 1; })},
        {"block index 16", headerWith([](MirageBlockInfo& b) { b.blockIndex = 16; })},
        {"zero frame width", headerWith([](MirageBlockInfo& b) { b.frameWidth = 0; })},
        {"zero depth", headerWith([](MirageBlockInfo& b) { b.bitsPerPixel = 0; })},
        {"empty rectangle", headerWith([](MirageBlockInfo& b) { b.rect = {0, 0, 0, 768}; })},
        {"rectangle below the frame", headerWith([](MirageBlockInfo& b) { b.rect.bottom = 769; })},
        {"rectangle far right of the frame", headerWith([](MirageBlockInfo& b) { b.rect.right = 1024 + 16; })},
        {"negative left", headerWith([](MirageBlockInfo& b) { b.rect.left = -4; })},
        {"stream longer than the buffer", headerWith([](MirageBlockInfo& b) { b.length = kClass3Buffer + 1; })},
        {"frame larger than the frame buffer",
         headerWith([](MirageBlockInfo& b) { b.frameWidth = 1280; b.frameHeight = 1024; b.rect = {0, 0, 16, 16}; })},
        {"decoded block past the block area",
         headerWith([](MirageBlockInfo& b) { b.blockIndex = 15; })},
        {"fragment past the wire buffer", Bytes(BuildScreenFragment(0, pastCapacity, nullptr, 0))},
        {"fragment number near 2^32", Bytes(BuildScreenFragment(0, 0xFFFFFFFF, nullptr, 0))},
    };
    for (const Refusal& r : refusals) {
        ParsedDatagram p;
        EXPECT_FALSE(ParseMirageDatagram(r.datagram.data(), r.datagram.size(), capacity, p)) << r.name;
    }

    // Without buffers (nothing allocated) a fragment has nowhere to go.
    ParsedDatagram p;
    const auto first = Bytes(BuildScreenFragment(0, 0, nullptr, 0));
    EXPECT_FALSE(ParseMirageDatagram(first.data(), first.size(), MirageReceiveCapacity{}, p));
    EXPECT_TRUE(ParseMirageDatagram(stop.data(), stop.size(), MirageReceiveCapacity{}, p));
}

TEST(DatagramParser, AcceptsTheWidenedRightEdgeOfANarrowScreen)
{
    // A 1018-wide sender widens its block to 1020 pixels.
    MirageBlockInfo b = WholeScreenBlock();
    b.frameWidth = 1018;
    b.rect = {0, 0, 1020, 768};
    const auto header = Bytes(BuildBlockHeader(0, b));
    ParsedDatagram p;
    EXPECT_TRUE(ParseMirageDatagram(header.data(), header.size(), Class3Capacity(), p));

    // The frame end says the same and its rectangle is not looked at.
    b.rect = {};
    b.length = 0;
    b.fragmentCount = 0;
    b.blockIndex = 16;
    const auto end = Bytes(BuildFrameEnd(0, b));
    ASSERT_TRUE(ParseMirageDatagram(end.data(), end.size(), Class3Capacity(), p));
    EXPECT_EQ(p.message, MirageMessage::FrameEnd);
}

} // namespace
