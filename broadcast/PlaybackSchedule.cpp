#include "broadcast/PlaybackSchedule.h"

namespace {

constexpr uint32_t kBackwards = 0x80000000u;

} // namespace

uint32_t RecordedGap(uint32_t fromTick, uint32_t toTick)
{
    const uint32_t gap = toTick - fromTick;
    if (gap >= kBackwards)
        return 0;
    return gap > kPlaybackLongestGapMs ? kPlaybackLongestGapMs : gap;
}

void CPlaybackSchedule::Start(uint64_t now, uint32_t startTick)
{
    m_base = now + kPlaybackFirstStepMs;
    m_elapsed = 0;
    m_lastTick = startTick;
}

uint64_t CPlaybackSchedule::FrameEnd(uint32_t tick)
{
    m_elapsed += RecordedGap(m_lastTick, tick);
    m_lastTick = tick;
    return m_base + m_elapsed;
}
