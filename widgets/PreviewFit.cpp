#include "widgets/PreviewFit.h"

#include <cstdio>

namespace kq {

namespace {

constexpr int kBytesPerKilobyteShift = 10;

} // namespace

bool FitPreview(int width, int height, const PreviewRect& box, PreviewRect& fit)
{
    const int64_t boxWidth = static_cast<int64_t>(box.right) - box.left;
    const int64_t boxHeight = static_cast<int64_t>(box.bottom) - box.top;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return false;
    if (height < width) {
        const int64_t fitHeight = static_cast<int64_t>(height) * boxWidth / width;
        const int64_t top = box.top + (boxHeight - fitHeight) / 2;
        fit = {box.left, static_cast<int>(top), box.right, static_cast<int>(top + fitHeight)};
    } else {
        const int64_t fitWidth = static_cast<int64_t>(width) * boxHeight / height;
        const int64_t left = box.left + (boxWidth - fitWidth) / 2;
        fit = {static_cast<int>(left), box.top, static_cast<int>(left + fitWidth), box.bottom};
    }
    return true;
}

std::string PreviewColourText(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return "Colors: 2 (monochrome)";
    case 4:
        return "Colors: 16";
    case 8:
        return "Colors: 256";
    case 16:
        return "Colors: 65,536";
    case 24:
        return "Colors: 16 millions";
    default:
        return std::string();
    }
}

std::string PreviewWidthText(int width)
{
    char text[48];
    std::snprintf(text, sizeof text, "Width: %d pixels", width);
    return text;
}

std::string PreviewHeightText(int height)
{
    char text[48];
    std::snprintf(text, sizeof text, "Height: %d pixels", height);
    return text;
}

std::string PreviewSizeText(uint64_t bytes)
{
    char text[48];
    std::snprintf(text, sizeof text, "Size: %llu Kb", static_cast<unsigned long long>(bytes >> kBytesPerKilobyteShift));
    return text;
}

} // namespace kq
