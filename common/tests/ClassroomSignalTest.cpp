#include "common/ClassroomSignal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using kq::DecodedClassroomSignal;

TEST(ClassroomSignal, EncodesCommandClassroomAndSequenceLittleEndian)
{
    uint8_t bytes[4];
    kq::EncodeClassroomSignal(1, 5, 0x1234, bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{0x01, 0x05, 0x34, 0x12}));
}

struct DecodeCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool valid;
    bool firstLayout;
    uint16_t command, argument, sequence;
};

TEST(ClassroomSignal, DecodesBothLayoutsOfExactlyFourBytes)
{
    const DecodeCase cases[] = {
        {"classroom number", {0x00, 0x05, 0x34, 0x12}, true, true, 0, 5, 0x1234},
        {"restart in classroom", {0x01, 0x07, 0xFF, 0xFF}, true, true, 1, 7, 0xFFFF},
        {"second layout: configuration version", {0x03, 0x00, 0x07, 0x00}, true, false, 3, 7, 0},
        {"second layout: refresh", {0x05, 0x00, 0x00, 0x00}, true, false, 5, 0, 0},
        {"second layout: u16 command", {0x02, 0x01, 0x34, 0x12}, true, false, 0x0102, 0x1234, 0},
        {"three bytes", {0x00, 0x05, 0x01}, false, false, 0, 0, 0},
        {"five bytes", {0x00, 0x05, 0x01, 0x00, 0x00}, false, false, 0, 0, 0},
        {"empty", {}, false, false, 0, 0, 0},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedClassroomSignal signal;
        ASSERT_EQ(kq::DecodeClassroomSignal(c.bytes.data(), c.bytes.size(), signal), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(signal.firstLayout, c.firstLayout);
        EXPECT_EQ(signal.command, c.command);
        EXPECT_EQ(signal.argument, c.argument);
        EXPECT_EQ(signal.sequence, c.sequence);
    }
}

TEST(ClassroomSignal, FilterDropsRepeatsOfTheFirstLayoutOnly)
{
    kq::ClassroomSignalFilter filter;
    DecodedClassroomSignal signal;
    const uint8_t first[] = {0x00, 0x05, 0x34, 0x12};
    EXPECT_TRUE(filter.Accept(first, sizeof first, signal));
    EXPECT_EQ(signal.argument, 5);
    EXPECT_FALSE(filter.Accept(first, sizeof first, signal)) << "the repeat";
    // One last sequence for both commands: command 1 with the same number is a repeat too.
    const uint8_t otherCommand[] = {0x01, 0x05, 0x34, 0x12};
    EXPECT_FALSE(filter.Accept(otherCommand, sizeof otherCommand, signal));
    const uint8_t next[] = {0x01, 0x05, 0x35, 0x12};
    EXPECT_TRUE(filter.Accept(next, sizeof next, signal));
    // The second layout is never filtered.
    const uint8_t version[] = {0x03, 0x00, 0x07, 0x00};
    EXPECT_TRUE(filter.Accept(version, sizeof version, signal));
    EXPECT_TRUE(filter.Accept(version, sizeof version, signal));
    EXPECT_FALSE(filter.Accept(version, 3, signal));
}

TEST(ClassroomSignal, AFreshFilterAcceptsSequenceZero)
{
    // The filter's "none yet" is no sequence number, so a wrapped sequence of 0 counts.
    kq::ClassroomSignalFilter filter;
    DecodedClassroomSignal signal;
    const uint8_t zero[] = {0x00, 0x02, 0x00, 0x00};
    EXPECT_TRUE(filter.Accept(zero, sizeof zero, signal));
    EXPECT_FALSE(filter.Accept(zero, sizeof zero, signal));
}

} // namespace
