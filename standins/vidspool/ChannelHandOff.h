#pragma once
// What the player reads of the "DoChannel" block: which channel it is asked
// to play and who asked. The block comes from another process, so its texts
// are read only within their fields.

#include "common/VodChannelBlock.h"

#include <cstdint>
#include <string>

namespace kq::vidspool {

enum class Caller { Teacher, Receiver, Unknown };

struct ChannelHandOff {
    Caller caller = Caller::Unknown;
    std::string origin;   // teacher: the channel name; receiver: the server's address
    uint32_t channel = 0;
    uint16_t port = 0;    // receiver only
    uint8_t flag = 0;     // receiver only
};

ChannelHandOff ReadHandOff(const VodChannelBlock& block);

// The line the player's window shows.
std::string Describe(const ChannelHandOff& handOff);

} // namespace kq::vidspool
