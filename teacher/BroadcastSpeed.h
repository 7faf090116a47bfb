#pragma once
// The screen broadcast's speed step (Ablity, 1-20) as the two delays the
// transport takes, and the recording volume (0-65535) as the position of a
// slider of 0-128. The settings dialog and the popup settings share both.

#include <cstdint>

namespace kq {

inline constexpr int kSlowestSpeedStep = 1;
inline constexpr int kFastestSpeedStep = 20;
inline constexpr int kVolumeSliderMax = 128;
inline constexpr unsigned kMaxRecordingVolume = 65535;

struct BroadcastDelays {
    uint8_t son; // DelaySon
    uint8_t mon; // DelayMon
};

// Steps 1-9 slow the sending down (27, 24, ... 3), 10 is neutral, 11-20
// slow the monitoring (2, 4, ... 20); any other step gives 1 and 1.
BroadcastDelays DelaysOfSpeedStep(int step);

// Integer scaling both ways, as the mixer's volume and the slider meet.
int SliderPositionOfVolume(unsigned volume);
unsigned VolumeOfSliderPosition(int position);

} // namespace kq
