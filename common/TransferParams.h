#pragma once
// Where a student reaches the teacher's transfer or test server: the record
// that the command transport hands the student agent with commands 8
// (collect a file), 16 (start online test) and 21 (hand-in button).

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct TransferParams {
    uint8_t kind;
    uint16_t port;    // as the teacher's command carried it
    uint32_t address; // the teacher's IPv4 address, network byte order
};
#pragma pack(pop)

static_assert(sizeof(TransferParams) == 7);
static_assert(offsetof(TransferParams, kind) == 0);
static_assert(offsetof(TransferParams, port) == 1);
static_assert(offsetof(TransferParams, address) == 3);

} // namespace kq
