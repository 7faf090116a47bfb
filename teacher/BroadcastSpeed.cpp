#include "teacher/BroadcastSpeed.h"

namespace kq {

namespace {

constexpr int kNeutralStep = 10;
constexpr int kSlowestSendDelay = 27;
constexpr int kSendDelayPerStep = 3;
constexpr int kMonitorDelayPerStep = 2;

} // namespace

BroadcastDelays DelaysOfSpeedStep(int step)
{
    if (step >= kSlowestSpeedStep && step < kNeutralStep)
        return {static_cast<uint8_t>(kSlowestSendDelay - kSendDelayPerStep * (step - 1)), 1};
    if (step > kNeutralStep && step <= kFastestSpeedStep)
        return {1, static_cast<uint8_t>(kMonitorDelayPerStep * (step - kNeutralStep))};
    return {1, 1};
}

int SliderPositionOfVolume(unsigned volume)
{
    if (volume > kMaxRecordingVolume)
        volume = kMaxRecordingVolume;
    return static_cast<int>(volume * kVolumeSliderMax / kMaxRecordingVolume);
}

unsigned VolumeOfSliderPosition(int position)
{
    if (position < 0)
        position = 0;
    if (position > kVolumeSliderMax)
        position = kVolumeSliderMax;
    return static_cast<unsigned>(position) * kMaxRecordingVolume / kVolumeSliderMax;
}

} // namespace kq
