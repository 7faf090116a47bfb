#pragma once
// Where a capture rectangle reads from and how large its output is.
//
// Every delivered row is a multiple of 4 bytes long: the width is widened by
// moving the rectangle's right edge. Rectangles are first clamped to the
// screen, so widening is the only way an area can reach past the screen's
// right edge; those columns are delivered as zeros.

#include "common/KqCaptureRequest.h"

#include <cstddef>

namespace kq::capture {

// The GDI codes widen to whole 32-bit groups of pixels at every depth.
inline constexpr int kGdiWideningStep = 4;

// Pixels per widening step at a display depth: 16 at 2 bits, 8 at 4 bits,
// 4 otherwise.
int WideningStep(int bitsPerPixel);

bool IsEmpty(const KqCaptureRect& rect);

// Clamps every edge into the screen (0..width, 0..height). Returns false when
// nothing of the rectangle is left on the screen.
bool ClampToScreen(KqCaptureRect& rect, int screenWidth, int screenHeight);

// Moves the right edge so that right - left is a multiple of `step`; the
// remainder takes the sign of the width, as the callers have always relied on.
void Widen(KqCaptureRect& rect, int step);

// The area a rectangle covers: its top-left corner and its size.
struct CaptureArea {
    int x;
    int y;
    int width;
    int height;
};
CaptureArea AreaOf(const KqCaptureRect& rect);

// Bytes of one delivered row of `width` pixels at `bitsPerPixel`.
size_t RowBytes(int width, int bitsPerPixel);

} // namespace kq::capture
