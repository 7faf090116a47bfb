#pragma once
// The five broadcast settings that the teacher program hands to the command
// transport (LecternSetOptions) whenever one of them changes.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct BroadcastOptions {
    uint8_t CompressMethord;
    uint8_t DelaySon;
    uint8_t DelayMon;
    uint8_t Record;
    uint8_t ScreenChange;
};
#pragma pack(pop)

static_assert(sizeof(BroadcastOptions) == 5);
static_assert(offsetof(BroadcastOptions, CompressMethord) == 0);
static_assert(offsetof(BroadcastOptions, DelaySon) == 1);
static_assert(offsetof(BroadcastOptions, DelayMon) == 2);
static_assert(offsetof(BroadcastOptions, Record) == 3);
static_assert(offsetof(BroadcastOptions, ScreenChange) == 4);

} // namespace kq
