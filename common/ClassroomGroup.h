#pragma once
// The classroom group: every classroom on one network gets its own multicast
// group, derived from the configured Multi_MainIP by adding the classroom
// number to its third octet (modulo 256); the other octets stay.

#include <cstdint>

namespace kq {

// `address` and the result are IPv4 addresses as the 32-bit value that
// inet_addr returns (network byte order in memory).
uint32_t MakeClassroomGroup(uint32_t address, uint8_t classroom);

} // namespace kq
