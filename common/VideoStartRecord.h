#pragma once
// The video broadcast library's control call (ordinal 1: int mode, pointer to
// a record) and the 44-byte record that starts a video broadcast. The library
// reports to the window at offset 0 with kWmVideoNotify.

#include <cstddef>
#include <cstdint>

namespace kq {

enum VideoControlMode : int {
    kVideoStop = 0,           // no record
    kVideoStartAll = 1,       // VideoStartRecord
    kVideoStartChannels = 2,  // VideoStartRecord
    kVideoLayout = 3,         // VideoLayoutRecord
};

#pragma pack(push, 1)
struct VideoStartRecord {
    uint32_t window;          // the host window, (uint32_t)(uintptr_t)hwnd
    uint16_t videoPort;       // MainPort + 40
    uint16_t videoPort2;      // MainPort + 40 again
    uint8_t smallScreen;      // 1 on a screen at most 640 pixels wide
    uint8_t reserved1[3];
    uint32_t x;               // where the video window sits in the host window
    uint32_t y;
    uint8_t reserved2[8];
    uint8_t mediaType;
    uint8_t reserved3[3];
    uint32_t group;           // classroom group address, network byte order
    uint32_t reserved4;
    uint16_t mainPort;
    uint8_t reserved5[2];
};
#pragma pack(pop)

static_assert(sizeof(VideoStartRecord) == 44);
static_assert(offsetof(VideoStartRecord, window) == 0);
static_assert(offsetof(VideoStartRecord, videoPort) == 4);
static_assert(offsetof(VideoStartRecord, videoPort2) == 6);
static_assert(offsetof(VideoStartRecord, smallScreen) == 8);
static_assert(offsetof(VideoStartRecord, x) == 12);
static_assert(offsetof(VideoStartRecord, y) == 16);
static_assert(offsetof(VideoStartRecord, mediaType) == 28);
static_assert(offsetof(VideoStartRecord, group) == 32);
static_assert(offsetof(VideoStartRecord, reserved4) == 36);
static_assert(offsetof(VideoStartRecord, mainPort) == 40);

// Posted by the video library to the host window: wParam = VideoNotice,
// lParam = the channel (low byte) for a started or changed channel.
inline constexpr unsigned kWmVideoNotify = 0x4C8;

enum VideoNotice : int {
    kVideoEnded = 0,
    kVideoChannelStarted = 1,
    kVideoChannelChanged = 2,
};

} // namespace kq
