#pragma once
// The tool window's place and the recording volume's scale. Portable.

#include <cstdint>

inline constexpr int kToolButtonPitch = 36;
inline constexpr int kToolWindowMargin = 14;
inline constexpr int kToolWindowTop = 10;
inline constexpr int kToolWindowHeight = 33;
inline constexpr int kToolWindowPadding = 4;
inline constexpr uint32_t kRecVolumeMax = 65535;
inline constexpr int kRecVolumeSliderMax = 100;

struct ToolWindowPlace {
    int x;
    int y;
    int width;
    int height;
};

// In the screen's top-right corner, as wide as its buttons.
constexpr ToolWindowPlace ToolWindowPlacement(int screenWidth, int buttonCount)
{
    return {screenWidth - buttonCount * kToolButtonPitch - kToolWindowMargin, kToolWindowTop,
            buttonCount * kToolButtonPitch + kToolWindowPadding, kToolWindowHeight};
}

// The mixer's volume (0..65,535) as a slider position (0..100), and back.
// The mixer stand-in answers a negative value when there is no mixer: the
// slider then stays at 0.
constexpr int SliderFromVolume(long volume)
{
    if (volume <= 0)
        return 0;
    const auto v = static_cast<uint32_t>(volume > static_cast<long>(kRecVolumeMax) ? kRecVolumeMax : volume);
    return static_cast<int>(v * kRecVolumeSliderMax / kRecVolumeMax);
}

constexpr uint32_t VolumeFromSlider(int position)
{
    const int p = position < 0 ? 0 : (position > kRecVolumeSliderMax ? kRecVolumeSliderMax : position);
    return static_cast<uint32_t>(p) * kRecVolumeMax / kRecVolumeSliderMax;
}

static_assert(ToolWindowPlacement(1024, 3).x == 1024 - 122 && ToolWindowPlacement(1024, 3).width == 112);
static_assert(ToolWindowPlacement(1024, 1).width == 40);
static_assert(SliderFromVolume(65535) == 100 && SliderFromVolume(655) == 0 && VolumeFromSlider(50) == 32767);
