#pragma once
// The cursor shape that the hook library writes into the shared memory
// "CursorShape" and the screen broadcast engine sends unchanged to the
// viewers. Only the hot spot and the two 32 x 32 monochrome planes are read;
// the rest stays zero.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr char kCursorShapeMapping[] = "CursorShape";
inline constexpr int kCursorSide = 32;
inline constexpr size_t kCursorPlaneBytes = kCursorSide * kCursorSide / 8;

#pragma pack(push, 1)
struct CursorShape {
    uint32_t hotSpotX;
    uint32_t hotSpotY;
    uint8_t reserved1[400];
    // Rows top-down, 4 bytes a row, most significant bit leftmost, as
    // CreateCursor takes them: AND 1 = transparent, XOR 1 = white/invert.
    uint8_t andPlane[kCursorPlaneBytes];
    uint8_t xorPlane[kCursorPlaneBytes];
    uint8_t reserved2[768];
};
#pragma pack(pop)

static_assert(sizeof(CursorShape) == 1432);
static_assert(offsetof(CursorShape, hotSpotX) == 0);
static_assert(offsetof(CursorShape, hotSpotY) == 4);
static_assert(offsetof(CursorShape, andPlane) == 408);
static_assert(offsetof(CursorShape, xorPlane) == 536);

// Posted by the mouse-shape hook to the window it was given: wParam 1 when a
// new shape is in the shared memory, 0 when there is no shape to show.
inline constexpr unsigned kWmCursorShapeChanged = 0x8B7;

// Posted by the keyboard hook to its window for every key (WM_MIRAGE_HOOK_KEY):
// wParam the virtual key, lParam the key flags as in WM_KEYDOWN (bit 31 set on
// release).
inline constexpr unsigned kWmHookKey = 0x8B8;

} // namespace kq
