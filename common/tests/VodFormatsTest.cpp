// The player commands and the hand-off block.

#include "common/VodChannelBlock.h"
#include "common/VodCommandDatagram.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

struct WordCase {
    const char* text;
    int32_t command;
};

TEST(VodCommandDatagram, CommandWords)
{
    const WordCase cases[] = {
        {"/PLAY", 1}, {"/play", 1},  {"/Pause", 2}, {"/start", 5}, {"/STOP", 2},  {"/stop", 2},
        {"c:\\v\\电影.mpg", 1}, {"/stopped", 1}, {"/sto", 1}, {"", 1}, {nullptr, 1},
    };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(kq::VodCommandNumber(c.text), c.command);
    }
}

TEST(VodCommandDatagram, TwelveBytesKindCommandChannel)
{
    const kq::VodCommandDatagram datagram = kq::MakeVodCommandDatagram("/start", 0xFFFF);
    uint8_t bytes[12];
    std::memcpy(bytes, &datagram, sizeof bytes);
    const uint8_t expected[] = {6, 0, 0, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof bytes), 0) << "the channel is zero-extended";
    EXPECT_TRUE(kq::IsVodControlWord("/x"));
    EXPECT_FALSE(kq::IsVodControlWord("x/"));
    EXPECT_FALSE(kq::IsVodControlWord(nullptr));
}

struct HandOffCase {
    const char* file;
    uint8_t letter, mode;
};

TEST(VodChannelBlock, TeacherHandOffWritesItsFieldsOnly)
{
    const HandOffCase cases[] = {
        {"p.avi", 1, 0x20}, {"Play.mpg", 1, 0x20}, {"movie.avi", 0, 0xF0}, {"", 0, 0xF0}};
    for (const HandOffCase& c : cases) {
        SCOPED_TRACE(c.file);
        kq::VodChannelBlock block;
        std::memset(&block, 0xCC, sizeof block);
        kq::WriteTeacherHandOff(block, "第三频道", 3, c.file);
        const auto* bytes = reinterpret_cast<const uint8_t*>(&block);
        EXPECT_EQ(std::string(block.origin), "第三频道");
        EXPECT_EQ(block.channel, 3u);
        EXPECT_EQ(std::string(block.role), "控制");
        EXPECT_EQ(bytes[40], 22);
        EXPECT_EQ(bytes[41], c.letter);
        EXPECT_EQ(bytes[42], c.mode);
        EXPECT_EQ(bytes[24], 0xCC) << "bytes 24-29 are not written";
        EXPECT_EQ(bytes[43], 0xCC) << "nor the bytes after the tail";
    }
}

TEST(VodChannelBlock, LongNameCutToNineteenBytesOnACharacterBoundary)
{
    kq::VodChannelBlock block{};
    const std::string name = std::string(18, 'n') + "长名"; // 18 + 4 bytes
    kq::WriteTeacherHandOff(block, name.c_str(), 1, "x");
    EXPECT_EQ(std::string(block.origin), std::string(18, 'n'));
    EXPECT_EQ(block.channel, 1u) << "the cut name leaves the channel alone";
}

TEST(VodChannelBlock, BothLayoutsToldApartByTheRoleWord)
{
    kq::VodChannelBlock receiver{};
    kq::WriteReceiverHandOff(receiver, "198.18.1.10", 5, 9705, 1);
    EXPECT_EQ(std::string(receiver.role), kq::kVodRoleReceiver);
    EXPECT_EQ(receiver.port, 9705);
    EXPECT_EQ(receiver.flag, 1);

    kq::VodChannelBlock teacher{};
    kq::WriteTeacherHandOff(teacher, "a", 5, "pq");
    const kq::VodTeacherTail tail = kq::ReadTeacherTail(teacher);
    EXPECT_EQ(std::string(teacher.role), kq::kVodRoleTeacher);
    EXPECT_EQ(tail.mark, kq::kVodTeacherMark);
    EXPECT_EQ(tail.letter, kq::kVodTeacherLetterP);
    EXPECT_EQ(tail.mode, kq::kVodTeacherModeP);
}

} // namespace
