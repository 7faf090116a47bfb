#include "broadcast/ViewGeometry.h"

#include <algorithm>

namespace {

constexpr int64_t kAbsoluteMax = 65535;

} // namespace

int32_t GridColumns(uint16_t maxViews)
{
    switch (maxViews) {
    case 9:
        return 3;
    case 16:
        return 4;
    default:
        return 2;
    }
}

ViewRect GridCell(int32_t cell, uint16_t maxViews, int32_t screenWidth, int32_t screenHeight)
{
    const int32_t n = GridColumns(maxViews);
    cell = std::clamp(cell, 0, n * n - 1);
    const int32_t row = cell / n;
    const int32_t column = cell % n;
    return {column * screenWidth / n, row * screenHeight / n, screenWidth / n, screenHeight / n};
}

FrameBand BandOf(uint32_t height, int32_t band)
{
    const uint32_t rows = height / kFrameBands;
    band = std::clamp(band, 0, kFrameBands - 1);
    const uint32_t first = rows * static_cast<uint32_t>(band);
    return {first, band == kFrameBands - 1 ? height - first : rows};
}

int32_t BandOfRow(uint32_t height, int32_t y)
{
    const uint32_t rows = height / kFrameBands;
    if (y < 0)
        return 0;
    if (rows == 0)
        return kFrameBands - 1;
    return std::min<int32_t>(static_cast<int32_t>(static_cast<uint32_t>(y) / rows), kFrameBands - 1);
}

int32_t ViewToSender(int32_t viewCoordinate, int32_t viewSize, uint32_t senderSize)
{
    if (viewSize <= 0)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(viewCoordinate) * senderSize / viewSize);
}

int32_t SenderToView(int32_t senderCoordinate, int32_t viewSize, uint32_t senderSize)
{
    if (senderSize == 0)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(senderCoordinate) * viewSize / static_cast<int64_t>(senderSize));
}

uint32_t AbsoluteMouseCoordinate(int32_t coordinate, uint32_t frameSize)
{
    if (frameSize == 0)
        return 0;
    const int64_t value = static_cast<int64_t>(std::max(coordinate, 0)) * kAbsoluteMax / frameSize;
    return static_cast<uint32_t>(std::min(value, kAbsoluteMax));
}
