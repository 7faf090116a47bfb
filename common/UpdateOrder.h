#pragma once
// Student command 24 (program update): where the student fetches the update
// folder that the teacher serves.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct UpdateOrder {
    uint16_t port;
    uint32_t address; // the teacher's IPv4 address, network byte order
};
#pragma pack(pop)

static_assert(sizeof(UpdateOrder) == 6);
static_assert(offsetof(UpdateOrder, port) == 0);
static_assert(offsetof(UpdateOrder, address) == 2);

} // namespace kq
