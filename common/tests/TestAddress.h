#pragma once
// The 32-bit value inet_addr gives for a.b.c.d (network byte order in
// memory), for tests that write addresses as their octets.

#include <cstdint>
#include <cstring>

namespace kqtest {

inline uint32_t Address(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    const uint8_t octets[4] = {a, b, c, d};
    uint32_t value;
    std::memcpy(&value, octets, sizeof value);
    return value;
}

} // namespace kqtest
