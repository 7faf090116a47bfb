#pragma once
// The restriction switches that student command 4 sets: a count and that many
// {switch number counted from 0, value} pairs.

#include <cstddef>
#include <cstdint>

namespace kq {

// As many pairs as the teacher's command block has room for.
inline constexpr uint16_t kMaxSwitchPairs = 128;

#pragma pack(push, 1)
struct SwitchSetting {
    uint8_t number; // counted from 0
    uint8_t value;  // 1 on, anything else off
};

struct SwitchList {
    uint16_t count;
    SwitchSetting pairs[kMaxSwitchPairs];
};
#pragma pack(pop)

static_assert(sizeof(SwitchSetting) == 2);
static_assert(offsetof(SwitchList, count) == 0);
static_assert(offsetof(SwitchList, pairs) == 2);
static_assert(sizeof(SwitchList) == 2 + 2 * kMaxSwitchPairs);

} // namespace kq
