#include "envcheck/DisplayRequirement.h"

#include "envcheck/CheckIds.h"

namespace kq {

namespace {

constexpr unsigned kHighColourBits = 16;
constexpr unsigned kVgaWidth = 640;
constexpr unsigned kVgaHeight = 480;

int OrDefault(int read, int fallback)
{
    return read == kDisplayKeyAbsent ? fallback : read;
}

bool Within(unsigned value, int low, int high)
{
    return static_cast<unsigned>(low) <= value && value <= static_cast<unsigned>(high);
}

} // namespace

DisplayLimits MakeDisplayLimits(int colorMin, int colorMax, int widthMin, int widthMax, int heightMin,
                                int heightMax)
{
    const DisplayLimits defaults;
    return {OrDefault(colorMin, defaults.colorMin),   OrDefault(colorMax, defaults.colorMax),
            OrDefault(widthMin, defaults.widthMin),   OrDefault(widthMax, defaults.widthMax),
            OrDefault(heightMin, defaults.heightMin), OrDefault(heightMax, defaults.heightMax)};
}

void DisplayModes::Note(unsigned bitsPerPixel, unsigned width, unsigned height)
{
    if (bitsPerPixel == kHighColourBits)
        has16Bit = true;
    if (width >= kVgaWidth && height >= kVgaHeight)
        hasVga = true;
}

int CheckDisplayMode(const DisplayLimits& limits, const CurrentDisplay& current, const DisplayModes& modes)
{
    const bool within = Within(current.bitsPerPixel, limits.colorMin, limits.colorMax) &&
                        Within(current.width, limits.widthMin, limits.widthMax) &&
                        Within(current.height, limits.heightMin, limits.heightMax);
    return within && modes.has16Bit && modes.hasVga ? check::kPassed : check::kDisplayMode;
}

} // namespace kq
