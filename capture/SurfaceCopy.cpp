#include "capture/SurfaceCopy.h"

#include <algorithm>
#include <cstring>

namespace kq::capture {

namespace {

constexpr int kIndexedMaxBits = 8;
constexpr int kBits16 = 16;
constexpr int kBits24 = 24;
constexpr int kBits32 = 32;

bool CanDeliver(int displayBits, Delivery delivery)
{
    if (displayBits <= 0 || displayBits > kBits32)
        return false;
    if (delivery == Delivery::DisplayDepth)
        return true;
    switch (displayBits) {
    case 2:
    case 4:
    case 8:
    case kBits16:
    case kBits24:
    case kBits32:
        return true;
    default:
        return false;
    }
}

// One row: `visible` pixels read from `source`, the rest of the row zeroed.
void DeliverRow(const SurfaceView& surface, Delivery delivery, const PaletteEntry* palette,
                const uint8_t* source, int visible, uint8_t* row, size_t rowBytes)
{
    const int d = surface.bitsPerPixel;
    size_t written = 0;
    if (visible > 0) {
        const size_t pixels = static_cast<size_t>(visible);
        if (delivery == Delivery::Bgr24) {
            if (d <= kIndexedMaxBits)
                ConvertIndexedTo24(source, row, pixels, d, palette);
            else if (d == kBits16)
                Convert16To24(source, row, pixels, surface.greenMask == kGreenMask565);
            else if (d == kBits24)
                std::memcpy(row, source, pixels * 3);
            else
                Convert32To24(source, row, pixels);
            written = pixels * 3;
        } else if (d > kBits24) {
            Convert32To24(source, row, pixels);
            written = pixels * 3;
        } else {
            written = std::min(rowBytes, RowBytes(visible, d));
            std::memcpy(row, source, written);
        }
    }
    std::memset(row + written, 0, rowBytes - written);
    if (delivery == Delivery::DisplayDepth && d == kBits16 && surface.greenMask == kGreenMask565)
        Convert565To555(row, rowBytes / 2);
}

} // namespace

int DeliveredBitsPerPixel(int displayBits, Delivery delivery)
{
    if (delivery == Delivery::Bgr24 || displayBits > kBits24)
        return kBits24;
    return displayBits;
}

size_t PaletteEntriesFor(int displayBits)
{
    return displayBits > 0 && displayBits <= kIndexedMaxBits ? size_t{1} << displayBits : 0;
}

size_t DeliveredBytes(const CaptureArea& area, int displayBits, Delivery delivery)
{
    const size_t rows = static_cast<size_t>(area.height) *
                        RowBytes(area.width, DeliveredBitsPerPixel(displayBits, delivery));
    if (delivery == Delivery::DisplayDepth)
        return PaletteEntriesFor(displayBits) * sizeof(PaletteEntry) + rows;
    return rows;
}

bool CopyArea(const SurfaceView& surface, const CaptureArea& area, Delivery delivery,
              const PaletteEntry* palette, uint8_t* out)
{
    const int d = surface.bitsPerPixel;
    if (!CanDeliver(d, delivery) || area.x < 0 || area.y < 0 || area.width < 0 || area.height < 0)
        return false;
    const size_t paletteEntries = PaletteEntriesFor(d);
    if (paletteEntries > 0 && palette == nullptr)
        return false;

    if (delivery == Delivery::DisplayDepth && paletteEntries > 0) {
        std::memcpy(out, palette, paletteEntries * sizeof(PaletteEntry));
        out += paletteEntries * sizeof(PaletteEntry);
    }

    const size_t rowBytes = RowBytes(area.width, DeliveredBitsPerPixel(d, delivery));
    const int visible = std::clamp(surface.width - area.x, 0, area.width);
    const size_t sourceOffset = static_cast<size_t>(area.x) * static_cast<size_t>(d) / 8;
    for (int r = 0; r < area.height; ++r) {
        // Output row r is screen row (bottom - 1 - r).
        const int screenRow = area.y + area.height - 1 - r;
        uint8_t* row = out + static_cast<size_t>(r) * rowBytes;
        if (screenRow < surface.height) {
            const uint8_t* source = surface.pixels + static_cast<ptrdiff_t>(screenRow) * surface.pitch +
                                    static_cast<ptrdiff_t>(sourceOffset);
            DeliverRow(surface, delivery, palette, source, visible, row, rowBytes);
        } else {
            std::memset(row, 0, rowBytes);
        }
    }
    return true;
}

} // namespace kq::capture
