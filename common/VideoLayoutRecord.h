#pragma once
// Where the video broadcast library puts its window in the host window
// (control mode 3): three i32.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct VideoLayoutRecord {
    int32_t smallScreen; // 1 on a screen exactly 640 pixels wide
    int32_t x;
    int32_t y;
};
#pragma pack(pop)

static_assert(sizeof(VideoLayoutRecord) == 12);
static_assert(offsetof(VideoLayoutRecord, x) == 4);
static_assert(offsetof(VideoLayoutRecord, y) == 8);

} // namespace kq
