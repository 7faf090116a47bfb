#pragma once
// When each played frame is due. Frame k shows at the playback's start +
// the first step's delay + the recorded gaps from the start tick to its frame
// end, whatever the reading and decoding of earlier steps cost: a late step
// delays no later frame, and none is skipped. Portable.

#include <cstdint>

inline constexpr uint64_t kPlaybackFirstStepMs = 10;
inline constexpr uint32_t kPlaybackLongestGapMs = 60000;

// The gap between two recorded ticks: the u32 difference (right across the
// counter's wrap); a backwards tick (2^31 or more) counts 0, a gap above a
// minute a minute.
uint32_t RecordedGap(uint32_t fromTick, uint32_t toTick);

class CPlaybackSchedule {
public:
    // Playback starts at `now` (ms) from a recording that began at `startTick`.
    void Start(uint64_t now, uint32_t startTick);
    // When the first step is due.
    uint64_t FirstDue() const { return m_base; }
    // A frame end with this tick was composed: when it is due.
    uint64_t FrameEnd(uint32_t tick);
    // How long to wait from `now` for `due` (0 when late).
    static uint64_t DelayUntil(uint64_t due, uint64_t now) { return due > now ? due - now : 0; }

private:
    uint64_t m_base = 0;
    uint64_t m_elapsed = 0;
    uint32_t m_lastTick = 0;
};
