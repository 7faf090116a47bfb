// The viewer's arithmetic: grid cells, the bands of a 1:1 frame, and the
// conversions between view and sender pixels.

#include "broadcast/ViewGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewGeometry, GridCellsTileTheScreen)
{
    const struct {
        uint16_t views;
        int cell;
        ViewRect rect;
    } cases[] = {
        {4, 0, {0, 0, 512, 384}},   {4, 3, {512, 384, 512, 384}}, {9, 4, {341, 256, 341, 256}},
        {9, 8, {682, 512, 341, 256}}, {16, 5, {256, 192, 256, 192}}, {5, 3, {512, 384, 512, 384}},
        {4, 7, {512, 384, 512, 384}}, // beyond the grid: the last cell
    };
    for (const auto& c : cases) {
        const ViewRect r = GridCell(c.cell, c.views, 1024, 768);
        EXPECT_EQ(c.rect.left, r.left) << c.views << "/" << c.cell;
        EXPECT_EQ(c.rect.top, r.top) << c.views << "/" << c.cell;
        EXPECT_EQ(c.rect.width, r.width) << c.views << "/" << c.cell;
        EXPECT_EQ(c.rect.height, r.height) << c.views << "/" << c.cell;
    }
}

TEST(ViewGeometry, BandsCoverEveryRowAndTheLastTakesTheRemainder)
{
    for (const uint32_t height : {768u, 601u, 7u, 1u}) {
        uint32_t next = 0;
        for (int b = 0; b < kFrameBands; ++b) {
            const FrameBand band = BandOf(height, b);
            EXPECT_EQ(next, band.firstRow) << height << " band " << b;
            next += band.rows;
        }
        EXPECT_EQ(height, next) << height;
        EXPECT_EQ(kFrameBands - 1, BandOfRow(height, static_cast<int32_t>(height) - 1)) << height;
    }
    EXPECT_EQ(75u, BandOf(601, 0).rows);
    EXPECT_EQ(76u, BandOf(601, 7).rows);
    EXPECT_EQ(1, BandOfRow(601, 75));
}

TEST(ViewGeometry, ViewPointsBecomeSenderPixelsAndBack)
{
    const struct {
        int32_t view;
        int32_t viewSize;
        uint32_t sender;
        int32_t pixel;
    } cases[] = {
        {100, 1024, 1024, 100}, // 1:1 unchanged
        {400, 800, 1280, 640},  // stretched down
        {256, 512, 1024, 512},  // windowed half
        {5, 0, 1024, 0},        // no view
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pixel, ViewToSender(c.view, c.viewSize, c.sender)) << c.view;
        if (c.viewSize > 0) {
            EXPECT_EQ(c.view, SenderToView(c.pixel, c.viewSize, c.sender)) << c.view;
        }
    }
}

TEST(ViewGeometry, ReplayedMouseCoordinatesAreAbsolute)
{
    EXPECT_EQ(65535u, AbsoluteMouseCoordinate(1024, 1024));
    EXPECT_EQ(32767u, AbsoluteMouseCoordinate(512, 1024));
    EXPECT_EQ(0u, AbsoluteMouseCoordinate(-5, 1024));
    EXPECT_EQ(65535u, AbsoluteMouseCoordinate(5000, 1024));
    EXPECT_EQ(0u, AbsoluteMouseCoordinate(10, 0)); // no frame yet: no division
}

} // namespace
