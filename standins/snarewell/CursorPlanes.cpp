#include "standins/snarewell/CursorPlanes.h"

#include <algorithm>
#include <cstring>

namespace kq {

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;
constexpr uint32_t kOpaqueAlpha = 0x80; // at least half opaque counts as drawn
constexpr int kBrightLevel = 128;
constexpr int kMaxSide = 256; // no cursor is larger

bool IsWhite(uint32_t pixel) { return (pixel & kRgbMask) != 0; }

bool IsBright(uint32_t pixel)
{
    const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return (red * 299 + green * 587 + blue * 114) / 1000 >= kBrightLevel;
}

void SetBit(uint8_t* plane, int x, int y)
{
    plane[y * (kCursorSide / 8) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
}

bool HasAlpha(const std::vector<uint32_t>& color)
{
    for (uint32_t pixel : color)
        if ((pixel >> 24) != 0)
            return true;
    return false;
}

} // namespace

bool FillCursorShape(const CursorImage& image, CursorShape& shape)
{
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxSide
        || image.height > kMaxSide)
        return false;
    const size_t pixels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    const bool monochrome = image.color.empty();
    if (monochrome ? image.mask.size() != 2 * pixels
                   : image.mask.size() != pixels || image.color.size() != pixels)
        return false;

    uint8_t andPlane[kCursorPlaneBytes] = {};
    uint8_t xorPlane[kCursorPlaneBytes] = {};
    const bool alpha = !monochrome && HasAlpha(image.color);
    for (int y = 0; y < kCursorSide; ++y) {
        for (int x = 0; x < kCursorSide; ++x) {
            const size_t at = static_cast<size_t>(y * image.height / kCursorSide) * image.width
                + static_cast<size_t>(x * image.width / kCursorSide);
            bool transparent, white;
            if (monochrome) {
                transparent = IsWhite(image.mask[at]);
                white = IsWhite(image.mask[pixels + at]);
            } else if (alpha) {
                transparent = (image.color[at] >> 24) < kOpaqueAlpha;
                white = !transparent && IsBright(image.color[at]);
            } else {
                transparent = IsWhite(image.mask[at]);
                // Under a transparent mask a coloured pixel inverts the screen.
                white = transparent ? IsWhite(image.color[at]) : IsBright(image.color[at]);
            }
            if (transparent)
                SetBit(andPlane, x, y);
            if (white)
                SetBit(xorPlane, x, y);
        }
    }
    // A hot spot outside the image is held to its edge.
    const auto width = static_cast<uint32_t>(image.width);
    const auto height = static_cast<uint32_t>(image.height);
    shape.hotSpotX = std::min(image.hotSpotX, width - 1) * kCursorSide / width;
    shape.hotSpotY = std::min(image.hotSpotY, height - 1) * kCursorSide / height;
    std::memcpy(shape.andPlane, andPlane, sizeof andPlane);
    std::memcpy(shape.xorPlane, xorPlane, sizeof xorPlane);
    return true;
}

} // namespace kq
