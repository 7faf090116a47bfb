#include "capture/PixelConversion.h"

#include <cstring>

namespace kq::capture {

namespace {

constexpr uint32_t kKeepBlue = 0x001F001F;   // blue of both pixels stays
constexpr uint32_t kKeepGreenRed = 0x7FE07FE0; // green and red, moved down one bit

uint16_t ReadPixel16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

void Convert565To555(uint8_t* pixels, size_t pixelCount)
{
    size_t i = 0;
    for (; i + 2 <= pixelCount; i += 2) {
        uint32_t word;
        std::memcpy(&word, pixels + i * 2, sizeof word);
        word = (word & kKeepBlue) | ((word >> 1) & kKeepGreenRed);
        std::memcpy(pixels + i * 2, &word, sizeof word);
    }
    if (i < pixelCount) { // an odd last pixel
        uint16_t p = ReadPixel16(pixels + i * 2);
        p = static_cast<uint16_t>((p & 0x001F) | ((p >> 1) & 0x7FE0));
        pixels[i * 2] = static_cast<uint8_t>(p);
        pixels[i * 2 + 1] = static_cast<uint8_t>(p >> 8);
    }
}

void Convert16To24(const uint8_t* source, uint8_t* target, size_t pixelCount, bool is565)
{
    for (size_t i = 0; i < pixelCount; ++i) {
        const uint32_t p = ReadPixel16(source + i * 2);
        uint8_t* out = target + i * 3;
        out[0] = static_cast<uint8_t>((p << 3) & 0xF8);
        if (is565) {
            out[1] = static_cast<uint8_t>((p >> 3) & 0xFC);
            out[2] = static_cast<uint8_t>((p >> 8) & 0xF8);
        } else {
            out[1] = static_cast<uint8_t>((p >> 2) & 0xF8);
            out[2] = static_cast<uint8_t>((p >> 7) & 0xF8);
        }
    }
}

void Convert32To24(const uint8_t* source, uint8_t* target, size_t pixelCount)
{
    for (size_t i = 0; i < pixelCount; ++i) {
        target[i * 3] = source[i * 4];
        target[i * 3 + 1] = source[i * 4 + 1];
        target[i * 3 + 2] = source[i * 4 + 2];
    }
}

bool ConvertIndexedTo24(const uint8_t* source, uint8_t* target, size_t pixelCount,
                        int bitsPerPixel, const PaletteEntry* palette)
{
    if (bitsPerPixel != 2 && bitsPerPixel != 4 && bitsPerPixel != 8)
        return false;
    const int perByte = 8 / bitsPerPixel;
    const unsigned mask = (1u << bitsPerPixel) - 1;
    for (size_t i = 0; i < pixelCount; ++i) {
        const int shift = 8 - bitsPerPixel * (1 + static_cast<int>(i % perByte));
        const unsigned index = (source[i / perByte] >> shift) & mask;
        const PaletteEntry& entry = palette[index];
        target[i * 3] = entry.blue;
        target[i * 3 + 1] = entry.green;
        target[i * 3 + 2] = entry.red;
    }
    return true;
}

} // namespace kq::capture
