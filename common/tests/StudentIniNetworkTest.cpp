#include "common/StudentIniNetwork.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct AddressCase {
    const char* name;
    const char* fileValue; // nullptr: the key is absent
    bool fixedDisk;
    std::string expected;
};

TEST(StudentIniNetwork, AdapterAddressFromTheProgramFolder)
{
    const std::string longValue(60, '1');
    const AddressCase cases[] = {
        {"as the file says", "198.18.1.10", true, "198.18.1.10"},
        {"absent key means any adapter", nullptr, true, "0.0.0.0"},
        {"off a fixed disk always any adapter", "198.18.1.10", false, "0.0.0.0"},
        {"cut to 49 characters", longValue.c_str(), true, std::string(49, '1')},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string askedSection, askedKey;
        const auto read = [&](const char* section, const char* key, const char* fallback) {
            askedSection = section;
            askedKey = key;
            return std::string(c.fileValue != nullptr ? c.fileValue : fallback);
        };
        EXPECT_EQ(kq::StudentAdapterAddress(read, c.fixedDisk), c.expected);
        if (c.fixedDisk) {
            EXPECT_EQ(askedSection, "NETADAPTER");
            EXPECT_EQ(askedKey, "IPADDRESS");
        }
    }
}

} // namespace
