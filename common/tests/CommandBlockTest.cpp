#include "common/CommandBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "晨" in CP936: two bytes, so thirty of them are sixty bytes.
const std::string kWide = "\xB3\xBF";

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A block whose every byte is 0xEE, to see what a setter leaves alone.
kq::CommandBlockWithTail Dirty()
{
    kq::CommandBlockWithTail block;
    std::memset(&block, 0xEE, sizeof block);
    return block;
}

const uint8_t* Bytes(const kq::CommandBlockWithTail& block) { return reinterpret_cast<const uint8_t*>(&block); }

std::string TextAt(const kq::CommandBlockWithTail& block, size_t offset)
{
    return reinterpret_cast<const char*>(Bytes(block) + offset);
}

// True when bytes [from, to) are all `value`.
bool All(const kq::CommandBlockWithTail& block, size_t from, size_t to, uint8_t value)
{
    for (size_t i = from; i < to; ++i) {
        if (Bytes(block)[i] != value)
            return false;
    }
    return true;
}

TEST(CommandBlock, ClearCoversTheBlockAndTheWordBehindIt)
{
    kq::CommandBlockWithTail block = Dirty();
    kq::ClearCommand(block);
    EXPECT_TRUE(All(block, 0, sizeof block, 0));
    EXPECT_EQ(kq::TargetSeats(block) + 159, reinterpret_cast<uint8_t*>(&block.tail));
}

struct TextCase {
    const char* name;
    std::string text;
    std::string kept;
};

TEST(CommandBlock, SingleTextEndsAtTheExtraByteAtTheLatest)
{
    const TextCase cases[] = {
        {"short text", "hello", "hello"},
        {"259 bytes fill args", std::string(259, 'a'), std::string(259, 'a')},
        {"300 bytes cut to 259", std::string(300, 'a'), std::string(259, 'a')},
        {"double-byte text cut on a character boundary", "a" + Repeat(kWide, 200), "a" + Repeat(kWide, 129)},
        {"double-byte text cut before a half character", Repeat(kWide, 200), Repeat(kWide, 129)},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        kq::CommandBlockWithTail block = Dirty();
        EXPECT_EQ(c.kept.size(), kq::SetCommandText(block, c.text.c_str()));
        EXPECT_EQ(c.kept, TextAt(block, kq::kCommandFirstTextOffset));
        EXPECT_EQ(0, block.block.extra);
        // Header and seats untouched.
        EXPECT_TRUE(All(block, 0, 5, 0xEE));
        EXPECT_TRUE(All(block, offsetof(kq::CommandBlock, seats), sizeof block, 0xEE));
    }
}

TEST(CommandBlock, ChannelNameKeepsItsFlagAndTheSeats)
{
    const TextCase cases[] = {
        {"short name", "Movie", "Movie"},
        {"258 bytes fit", std::string(258, 'n'), std::string(258, 'n')},
        {"a name of a full datagram cut to 258", std::string(1015, 'n'), std::string(258, 'n')},
        {"double-byte name cut on a character boundary", Repeat(kWide, 200), Repeat(kWide, 129)},
        {"odd double-byte name cut before a half character", "a" + Repeat(kWide, 200), "a" + Repeat(kWide, 128)},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        kq::CommandBlockWithTail block = Dirty();
        EXPECT_EQ(c.kept.size(), kq::SetCommandChannelName(block, c.text.c_str()));
        EXPECT_EQ(c.kept, TextAt(block, 6));
        EXPECT_TRUE(All(block, 6 + c.kept.size(), 265, 0)) << "terminator and the rest up to extra zeroed";
        EXPECT_TRUE(All(block, 0, 6, 0xEE)) << "header and flag byte untouched";
        EXPECT_TRUE(All(block, offsetof(kq::CommandBlock, seats), sizeof block, 0xEE)) << "seats untouched";
    }
}

TEST(CommandBlock, ThreeFieldsStayInsideTheirFields)
{
    struct FieldsCase {
        const char* name;
        std::string first, middle, last;
        std::string keptFirst, keptMiddle, keptLast;
    };
    const FieldsCase cases[] = {
        {"short texts", "title", "body", "sign", "title", "body", "sign"},
        {"thirty double-byte characters in each", Repeat(kWide, 30), Repeat(kWide, 30), Repeat(kWide, 30),
         Repeat(kWide, 15), Repeat(kWide, 30), Repeat(kWide, 15)},
        {"long middle", "", std::string(400, 'm'), "", "", std::string(180, 'm'), ""},
        {"odd first cut before a half character", "a" + Repeat(kWide, 30), "", "", "a" + Repeat(kWide, 14), "", ""},
    };
    for (const FieldsCase& c : cases) {
        SCOPED_TRACE(c.name);
        kq::CommandBlockWithTail block = Dirty();
        kq::SetCommandFields(block, c.first.c_str(), c.middle.c_str(), c.last.c_str());
        EXPECT_EQ(c.keptFirst, TextAt(block, 5));
        EXPECT_EQ(c.keptMiddle, TextAt(block, 37));
        EXPECT_EQ(c.keptLast, TextAt(block, 219));
        EXPECT_TRUE(All(block, 35, 37, 0));
        EXPECT_TRUE(All(block, 217, 219, 0));
        EXPECT_EQ(0, Bytes(block)[249]) << "the last field's terminator";
        EXPECT_TRUE(All(block, 250, sizeof block, 0xEE)) << "extra and the seats untouched";
    }
}

TEST(CommandBlock, WordsAndRecordsGoOnlyWhereTheyFit)
{
    kq::CommandBlockWithTail block{};
    ASSERT_TRUE(kq::SetCommandWord(block, 5, 0x1234));
    EXPECT_EQ(0x34, Bytes(block)[5]);
    EXPECT_EQ(0x12, Bytes(block)[6]);
    EXPECT_FALSE(kq::SetCommandWord(block, 263, 1)) << "would reach extra";
    EXPECT_FALSE(kq::SetCommandWord(block, 4, 1)) << "would overwrite param";

    uint8_t record[34];
    std::memset(record, 0x5A, sizeof record);
    ASSERT_TRUE(kq::SetCommandBytes(block, 175, record, sizeof record));
    EXPECT_TRUE(All(block, 175, 209, 0x5A));
    EXPECT_FALSE(kq::SetCommandBytes(block, 231, record, sizeof record));
    EXPECT_FALSE(kq::SetCommandBytes(block, 5, nullptr, 1));
    EXPECT_EQ(0, block.block.extra);
}

} // namespace
