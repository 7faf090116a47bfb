#include "common/Ipv4Text.h"

#include <cstdio>
#include <cstring>

namespace kq {

namespace {

constexpr int kOctetCount = 4;
constexpr size_t kMaxOctetDigits = 3;
constexpr unsigned kMaxOctet = 255;
constexpr size_t kLongestText = sizeof "255.255.255.255";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<uint32_t> ParseDottedIpv4(std::string_view text)
{
    uint8_t octets[kOctetCount] = {};
    size_t pos = 0;
    for (int i = 0; i < kOctetCount; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        unsigned value = 0;
        size_t digits = 0;
        while (pos < text.size() && IsDigit(text[pos])) {
            if (++digits > kMaxOctetDigits)
                return std::nullopt;
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
        }
        if (digits == 0 || value > kMaxOctet)
            return std::nullopt;
        octets[i] = static_cast<uint8_t>(value);
    }
    if (pos != text.size())
        return std::nullopt;
    uint32_t address = 0;
    std::memcpy(&address, octets, sizeof address); // first octet first in memory
    return address;
}

std::string FormatDottedIpv4(uint32_t address)
{
    uint8_t octets[kOctetCount] = {};
    std::memcpy(octets, &address, sizeof octets);
    char text[kLongestText] = {};
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", octets[0], octets[1], octets[2], octets[3]);
    return text;
}

} // namespace kq
