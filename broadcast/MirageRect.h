#pragma once
// A block rectangle of the broadcast engine, in the sender's screen pixels;
// right and bottom are exclusive.

#include <cstdint>

struct MirageRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
static_assert(sizeof(MirageRect) == 16);

// A rectangle without area.
inline bool IsEmptyRect(const MirageRect& r) { return r.left == r.right || r.top == r.bottom; }
