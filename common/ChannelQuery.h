#pragma once
// The one-byte datagram with which a listener asks the video channel servers
// on a group and port to announce their channels again.

#include <cstdint>

namespace kq {

inline constexpr uint8_t kChannelQueryKind = 1;

#pragma pack(push, 1)
struct ChannelQuery {
    uint8_t kind; // kChannelQueryKind
};
#pragma pack(pop)

static_assert(sizeof(ChannelQuery) == 1);

} // namespace kq
