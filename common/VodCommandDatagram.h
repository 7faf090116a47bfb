#pragma once
// The 12-byte control datagram for one video channel, sent by the teacher
// station to the video channel server at port 8600 plus the classroom number.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr int32_t kVodCommandKind = 6;

// Command numbers.
inline constexpr int32_t kVodCommandPlay = 1;  // "/play" and any other text
inline constexpr int32_t kVodCommandStop = 2;  // "/stop" and "/pause"
inline constexpr int32_t kVodCommandStart = 5; // "/start"

#pragma pack(push, 1)
struct VodCommandDatagram {
    int32_t kind;    // kVodCommandKind
    int32_t command; // one of the command numbers
    int32_t channel; // the channel value, zero-extended from 16 bits
};
#pragma pack(pop)

static_assert(sizeof(VodCommandDatagram) == 12);
static_assert(offsetof(VodCommandDatagram, command) == 4);
static_assert(offsetof(VodCommandDatagram, channel) == 8);

} // namespace kq
