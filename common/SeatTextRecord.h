#pragma once
// The record of the teacher's transport event 5: a text that a seat shows
// after its name (a student's roll-call answer).

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr size_t kSeatTextSize = 252;

#pragma pack(push, 1)
struct SeatTextRecord {
    uint32_t reserved0;
    uint32_t reserved4;
    uint32_t seat;
    char text[kSeatTextSize]; // zero-terminated
};
#pragma pack(pop)

static_assert(sizeof(SeatTextRecord) == 264);
static_assert(offsetof(SeatTextRecord, seat) == 8);
static_assert(offsetof(SeatTextRecord, text) == 12);

} // namespace kq
