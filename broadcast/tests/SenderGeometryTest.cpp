// The screen sender's area, capture code and compressor sizes.

#include "broadcast/MirageDatagram.h"
#include "broadcast/SenderGeometry.h"
#include "common/KqCaptureRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(SenderGeometry, EachExtentIsClampedOnItsOwnAndTheWidthToFourPixels)
{
    struct Case {
        int32_t screenWidth, screenHeight;
        uint32_t classWidth, classHeight;
        uint32_t width, height;
    };
    const Case cases[] = {
        {1024, 768, 1024, 768, 1024, 768},   // fits
        {1280, 1024, 1024, 768, 1024, 768},  // both too large
        {1280, 600, 1024, 768, 1024, 600},   // only the width: the height stays on the screen
        {1280, 768, 1024, 768, 1024, 768},
        {800, 1024, 1024, 768, 800, 768},    // only the height
        {1018, 700, 1024, 768, 1016, 700},   // narrower than the class: down to a multiple of 4
        {1281, 1024, 800, 600, 800, 600},
        {641, 480, 640, 480, 640, 480},
        {3, 5, 640, 480, 0, 5},              // nothing left to send
        {0, 0, 1024, 768, 0, 0},
        {-1, 768, 1024, 768, 0, 768},
    };
    for (const Case& c : cases) {
        const SendExtent e = ClampToFrameClass(c.screenWidth, c.screenHeight, c.classWidth, c.classHeight);
        EXPECT_EQ(e.width, c.width) << c.screenWidth << "x" << c.screenHeight;
        EXPECT_EQ(e.height, c.height) << c.screenWidth << "x" << c.screenHeight;
    }
}

TEST(SenderGeometry, CaptureCodeTable)
{
    constexpr uint8_t zlib = MIRAGE_COMPRESSION_ZLIB;
    constexpr uint8_t jpeg = MIRAGE_COMPRESSION_JPEG;
    constexpr auto frame = CapturePurpose::Frame;
    constexpr auto snapshot = CapturePurpose::Snapshot;
    struct Case {
        CapturePurpose purpose;
        uint8_t compression;
        uint16_t osKind;
        uint32_t width, height;
        bool direct;
        uint32_t code;
        bool rebuild;
    };
    const Case cases[] = {
        {frame, zlib, 0, 1024, 768, true, KQ_CAPTURE_PRIMARY, true},
        {frame, zlib, 4, 640, 480, true, KQ_CAPTURE_PRIMARY, true},
        {frame, zlib, 5, 1024, 768, true, KQ_CAPTURE_OFFSCREEN, true},
        {frame, zlib, 7, 1024, 768, true, KQ_CAPTURE_OFFSCREEN, true},
        {snapshot, zlib, 6, 1024, 768, true, KQ_CAPTURE_OFFSCREEN, true},
        {frame, jpeg, 3, 1024, 768, true, KQ_CAPTURE_PRIMARY_24, true},
        {snapshot, jpeg, 6, 800, 600, true, KQ_CAPTURE_OFFSCREEN_24, true},
        {frame, zlib, 0, 636, 480, true, KQ_CAPTURE_OFFSCREEN_24, false}, // small screen
        {frame, jpeg, 0, 1024, 476, true, KQ_CAPTURE_OFFSCREEN_24, false},
        {frame, zlib, 6, 1024, 768, false, KQ_CAPTURE_OFFSCREEN_24, false}, // switch off
        {snapshot, zlib, 0, 1024, 768, false, KQ_CAPTURE_OFFSCREEN_24, false},
        {snapshot, jpeg, 0, 1024, 768, false, KQ_CAPTURE_GDI_24, false},
        {snapshot, jpeg, 6, 320, 200, true, KQ_CAPTURE_GDI_24, false},
    };
    for (const Case& c : cases) {
        const CaptureChoice choice = ChooseCaptureCode(c.purpose, c.compression, c.osKind, c.width, c.height, c.direct);
        EXPECT_EQ(choice.code, c.code) << "os " << c.osKind << " " << c.width << "x" << c.height;
        EXPECT_EQ(choice.rebuildOnFailure, c.rebuild) << "os " << c.osKind;
    }
}

TEST(SenderGeometry, CompressorSizes)
{
    EXPECT_EQ(Bgr24PadBytes(1024), 0);
    EXPECT_EQ(Bgr24PadBytes(1), 1);
    EXPECT_EQ(Bgr24PadBytes(3), 3);
    EXPECT_EQ(Bgr24PadBytes(1018), 2);
    EXPECT_EQ(ZlibSourceLength(1024, 768, 24), 1024u * 768 * 3 + 2048);
    EXPECT_EQ(ZlibSourceLength(1024, 768, 16), 1024u * 768 * 2 + 2048);
    EXPECT_EQ(ZlibSourceLength(3, 1, 4), 1u + 2048); // the division truncates
}

} // namespace
