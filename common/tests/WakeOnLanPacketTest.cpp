#include "common/WakeOnLanPacket.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Address(const char* mac)
{
    uint8_t bytes[kq::kMacAddressBytes];
    if (!kq::MacTextToBytes(mac, bytes))
        return {};
    return std::vector<uint8_t>(bytes, bytes + kq::kMacAddressBytes);
}

struct MacCase {
    const char* text;
    std::vector<uint8_t> expected; // empty: refused
};

TEST(WakeOnLanPacket, MacTextsOfTwelveCharactersOnly)
{
    const MacCase cases[] = {
        {"00e04c123456", {0x00, 0xE0, 0x4C, 0x12, 0x34, 0x56}},
        {"00E04C123456", {0x00, 0xE0, 0x4C, 0x12, 0x34, 0x56}},
        {"ffffffffffff", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        // Past "F" the letters go on counting (G 16, Z 35); the byte keeps its low 8 bits.
        {"g0zz00000000", {0x00, 0x53, 0x00, 0x00, 0x00, 0x00}},
        {"--:.00000001", {0x00, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {"00e04c12345", {}},
        {"00e04c1234567", {}},
        {"", {}},
        {nullptr, {}},
    };
    for (const MacCase& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(Address(c.text), c.expected);
    }
}

TEST(WakeOnLanPacket, SyncThenTheAddressTwentyTimesThenZeros)
{
    kq::WakeOnLanPacket packet;
    std::memset(&packet, 0xAA, sizeof packet);
    ASSERT_TRUE(kq::BuildWakeOnLanPacket("00e04c123456", packet));
    const auto* bytes = reinterpret_cast<const uint8_t*>(&packet);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(bytes[i], 0xFF);
    const uint8_t address[] = {0x00, 0xE0, 0x4C, 0x12, 0x34, 0x56};
    for (int copy = 0; copy < 20; ++copy)
        EXPECT_EQ(std::memcmp(bytes + 6 + copy * 6, address, 6), 0) << "copy " << copy;
    for (size_t i = 126; i < sizeof packet; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;

    kq::WakeOnLanPacket untouched;
    std::memset(&untouched, 0xAA, sizeof untouched);
    EXPECT_FALSE(kq::BuildWakeOnLanPacket("00e04c12345", untouched));
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&untouched)[0], 0xAA);
}

TEST(WakeOnLanPacket, DebugListingIsTwentyOneLines)
{
    kq::WakeOnLanPacket packet;
    ASSERT_TRUE(kq::BuildWakeOnLanPacket("00e04c123456", packet));
    std::string expected = "FF FF FF FF FF FF\n";
    for (int i = 0; i < 20; ++i)
        expected += "00 E0 4C 12 34 56\n";
    EXPECT_EQ(kq::FormatWakeOnLanPacket(packet), expected);
}

TEST(WakeOnLanPacket, TheUnconvertedPortFieldIsWirePort18189)
{
    // Stored without htons: the bytes of 3399 in memory are the port in network order.
    const uint16_t field = kq::kWakeOnLanPortField;
    uint8_t wire[2];
    std::memcpy(wire, &field, 2);
    EXPECT_EQ(wire[0] << 8 | wire[1], kq::kWakeOnLanWirePort);
}

} // namespace
