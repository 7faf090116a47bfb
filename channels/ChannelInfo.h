#pragma once
// ChannelInfo: the receiver's record of one announced video channel. Its key
// is (name, server): two servers may announce channels of the same name.

#include <cstdint>
#include <string>

namespace kq {

struct ChannelInfo {
    std::string name;   // from the announcement
    std::string server; // the sender's dotted IPv4 address
    uint32_t value = 0; // the channel's number as the server assigned it
    int32_t state = 0;  // 0 stopped, anything else shown
    uint16_t port = 0;  // handed to the player unchanged
    uint8_t flag = 0;   // handed to the player unchanged
};

} // namespace kq
