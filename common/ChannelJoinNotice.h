#pragma once
// ChannelJoinNotice: a student PC tells the teacher station that it started
// or stopped watching a video channel. Exactly 4 bytes to the classroom
// group at main port + 10; read as one little-endian u32 it is
// channel | seat << 16 | joined << 24.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kq {

#pragma pack(push, 1)
struct ChannelJoinNotice {
    uint16_t channel; // the low 16 bits of the channel's value from its announcement
    uint8_t seat;     // the student's seat number
    uint8_t joined;   // non-zero: watching; 0: stopped
};
#pragma pack(pop)

static_assert(sizeof(ChannelJoinNotice) == 4);
static_assert(offsetof(ChannelJoinNotice, seat) == 2);
static_assert(offsetof(ChannelJoinNotice, joined) == 3);

// The channel values the video channel server gives out.
inline constexpr uint16_t kFirstChannelValue = 1;
inline constexpr uint16_t kLastChannelValue = 20;

inline ChannelJoinNotice MakeChannelJoinNotice(uint32_t channelValue, int seat, bool joined)
{
    constexpr uint32_t kLow16 = 0xFFFF;
    constexpr int kLow8 = 0xFF;
    return ChannelJoinNotice{static_cast<uint16_t>(channelValue & kLow16), static_cast<uint8_t>(seat & kLow8),
                             static_cast<uint8_t>(joined ? 1 : 0)};
}

// Reads a notice of `length` received bytes; false unless exactly 4.
inline bool ParseChannelJoinNotice(const uint8_t* data, size_t length, ChannelJoinNotice& notice)
{
    if (data == nullptr || length != sizeof(ChannelJoinNotice))
        return false;
    std::memcpy(&notice, data, sizeof notice);
    return true;
}

} // namespace kq
