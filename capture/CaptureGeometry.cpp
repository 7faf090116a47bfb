#include "capture/CaptureGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace kq::capture {

namespace {

constexpr int kStepAt2Bits = 16;
constexpr int kStepAt4Bits = 8;
constexpr int kDefaultStep = 4;

} // namespace

int WideningStep(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 2:
        return kStepAt2Bits;
    case 4:
        return kStepAt4Bits;
    default:
        return kDefaultStep;
    }
}

bool IsEmpty(const KqCaptureRect& rect)
{
    return rect.left == rect.right || rect.top == rect.bottom;
}

bool ClampToScreen(KqCaptureRect& rect, int screenWidth, int screenHeight)
{
    const int width = std::max(screenWidth, 0);
    const int height = std::max(screenHeight, 0);
    rect.left = std::clamp(rect.left, 0, width);
    rect.right = std::clamp(rect.right, 0, width);
    rect.top = std::clamp(rect.top, 0, height);
    rect.bottom = std::clamp(rect.bottom, 0, height);
    return !IsEmpty(rect);
}

void Widen(KqCaptureRect& rect, int step)
{
    // Computed in 64 bits: the edges come from the caller.
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long remainder = width % step;
    if (remainder != 0)
        rect.right = static_cast<int32_t>(rect.right + (step - remainder));
}

CaptureArea AreaOf(const KqCaptureRect& rect)
{
    CaptureArea area;
    area.x = std::min(rect.left, rect.right);
    area.y = std::min(rect.top, rect.bottom);
    area.width = std::abs(rect.right - rect.left);
    area.height = std::abs(rect.bottom - rect.top);
    return area;
}

size_t RowBytes(int width, int bitsPerPixel)
{
    return (static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 7) / 8;
}

} // namespace kq::capture
