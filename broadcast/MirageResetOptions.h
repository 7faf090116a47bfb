#pragma once
// MirageResetOptions: the record of DoReSetOption, which changes the pacing
// and the header flags at any time, also while no mode runs.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct MirageResetOptions {
    uint8_t lossless;    // applied by the sender at its next frame
    uint8_t burstPause;  // ms; 0 becomes 1
    uint8_t burstLength; // fragments; 0 becomes 1
    uint8_t recordBar;   // byte 76 of the next block headers
    uint8_t windowed;    // byte 77 of the next block headers
};

#pragma pack(pop)

static_assert(sizeof(MirageResetOptions) == 5);
static_assert(offsetof(MirageResetOptions, burstPause) == 1);
static_assert(offsetof(MirageResetOptions, burstLength) == 2);
static_assert(offsetof(MirageResetOptions, recordBar) == 3);
static_assert(offsetof(MirageResetOptions, windowed) == 4);
