#pragma once
// The display requirement: the current colour depth and screen size lie
// within the [DISPLAY] limits, and the display can show 16 bits per pixel
// and at least 640 x 480.

namespace kq {

// Each [DISPLAY] key reads as this when absent.
inline constexpr int kDisplayKeyAbsent = -1;

struct DisplayLimits {
    int colorMin = 16;
    int colorMax = 24;
    int widthMin = 640;
    int widthMax = 800;
    int heightMin = 480;
    int heightMax = 600;
};

// The limits from the six keys as read (kDisplayKeyAbsent: the default).
DisplayLimits MakeDisplayLimits(int colorMin, int colorMax, int widthMin, int widthMax, int heightMin,
                                int heightMax);

// What the display's list of modes offers.
struct DisplayModes {
    bool has16Bit = false;
    bool hasVga = false; // a mode of at least 640 x 480

    void Note(unsigned bitsPerPixel, unsigned width, unsigned height);
};

struct CurrentDisplay {
    unsigned bitsPerPixel;
    unsigned width;
    unsigned height;
};

// kq::check::kPassed or kDisplayMode. The limits compare unsigned, as the
// values of the platform are.
int CheckDisplayMode(const DisplayLimits& limits, const CurrentDisplay& current, const DisplayModes& modes);

} // namespace kq
