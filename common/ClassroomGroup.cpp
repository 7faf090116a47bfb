#include "common/ClassroomGroup.h"

#include <cstring>

namespace kq {

namespace {
constexpr int kThirdOctet = 2; // index of the octet in network byte order
}

uint32_t MakeClassroomGroup(uint32_t address, uint8_t classroom)
{
    // Work on the bytes as they lie in memory so the rule holds on any host.
    uint8_t octets[4];
    std::memcpy(octets, &address, sizeof octets);
    octets[kThirdOctet] = static_cast<uint8_t>(octets[kThirdOctet] + classroom);
    uint32_t group;
    std::memcpy(&group, octets, sizeof group);
    return group;
}

} // namespace kq
