#include "common/Ipv4Text.h"
#include "common/tests/TestAddress.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using kqtest::Address;

TEST(Ipv4Text, DottedTextToAddressAndBack)
{
    const struct {
        const char* text;
        uint32_t address;
    } addresses[] = {
        {"227.1.1.7", Address(227, 1, 1, 7)},     {"0.0.0.0", 0},
        {"255.255.255.255", 0xFFFFFFFFu},         {"234.5.6.7", 0x070605EAu},
        {"10.0.0.1", Address(10, 0, 0, 1)},       {"198.18.1.200", Address(198, 18, 1, 200)},
    };
    for (const auto& c : addresses) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kq::ParseDottedIpv4(c.text), c.address);
        EXPECT_EQ(kq::FormatDottedIpv4(c.address), c.text);
    }
    EXPECT_EQ(kq::ParseDottedIpv4("010.001.000.009"), Address(10, 1, 0, 9)) << "leading zeros are decimal";
}

TEST(Ipv4Text, TextsThatAreNoAddress)
{
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "a.b.c.d", "1..2.3", "1.2.3.4 ",
                            " 1.2.3.4", "1.2.3.4x", "0001.2.3.4", "1.2.3.", ".1.2.3", "-1.2.3.4", "1,2,3,4"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(kq::ParseDottedIpv4(bad).has_value());
    }
    EXPECT_FALSE(kq::ParseDottedIpv4(std::string_view("1.2.3.4\0", 8)).has_value()) << "a stray terminator";
}

} // namespace
