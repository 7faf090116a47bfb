#pragma once
// The screen sender's pure decisions: what area of the screen a frame covers,
// which capture code fetches it, and the sizes the compressors are given.

#include <cstddef>
#include <cstdint>

// The area a frame captures from the top-left corner of the screen; its
// width and height are what the block headers carry.
struct SendExtent {
    uint32_t width;
    uint32_t height;
};

// Each extent is clamped to its frame-class maximum on its own, so the area
// never reaches past the screen; the width is then rounded down to a multiple
// of 4 pixels so that the capture service never widens it (the encoder and
// the receiver then see the same width the pixels have).
SendExtent ClampToFrameClass(int32_t screenWidth, int32_t screenHeight, uint32_t classWidth,
                             uint32_t classHeight);

// How the capture service is asked for a frame or a snapshot.
struct CaptureChoice {
    uint32_t code;
    // A failed capture with a DirectDraw code rebuilds the service (release,
    // then set up) before the next attempt.
    bool rebuildOnFailure;
};

enum class CapturePurpose { Frame, Snapshot };

// The capture-code table: DirectDraw codes for screens of at least 640 x 480
// while the direct-capture switch is on (the code depends on the OS kind and
// the compression), else the off-screen copy for frames and GDI or the
// off-screen copy for snapshots.
CaptureChoice ChooseCaptureCode(CapturePurpose purpose, uint8_t compression, uint16_t osKind, uint32_t width,
                                uint32_t height, bool directCapture);

// The padding after each 3-byte-per-pixel row of `width` pixels.
int32_t Bgr24PadBytes(uint32_t width);

// The bytes zlib compresses: the captured rows plus the 2,048 bytes the
// receivers' buffers are sized for.
size_t ZlibSourceLength(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
