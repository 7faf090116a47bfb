#pragma once
// Student command 23 (configuration directory): which PC serves its
// configuration folder and where the others fetch it.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct DirectoryOrder {
    uint8_t firstSeat;  // equal seat bytes make this PC the source
    uint8_t secondSeat;
    uint16_t port;
    uint32_t address;   // network byte order
};
#pragma pack(pop)

static_assert(sizeof(DirectoryOrder) == 8);
static_assert(offsetof(DirectoryOrder, firstSeat) == 0);
static_assert(offsetof(DirectoryOrder, secondSeat) == 1);
static_assert(offsetof(DirectoryOrder, port) == 2);
static_assert(offsetof(DirectoryOrder, address) == 4);

} // namespace kq
