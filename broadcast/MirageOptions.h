#pragma once
// MirageOptions: the record the host passes to the mode exports and to
// DoExecScreen.

#include <cstddef>
#include <cstdint>

inline constexpr size_t kMirageMaxIds = 160;
inline constexpr size_t kMirageNameSize = 255;
inline constexpr size_t kMirageGroupTextSize = 21;

#pragma pack(push, 1)

struct MirageOptions {
    uint32_t hostWindow;          // receives WM_MIRAGE_NOTIFY; a 32-bit handle value
    uint8_t ownId;
    char groupAddress[kMirageGroupTextSize]; // dotted text, at most 20 characters
    uint16_t port;
    uint8_t windowed;             // 1: windowed view
    uint8_t reserved29;
    uint16_t burstPause;          // ms
    uint16_t burstLength;         // fragments
    uint8_t lossless;
    uint8_t jpegQuality;
    uint8_t modeFlag;             // tutoring: review; monitor modes: 0 cycles
    uint8_t reserved37[3];
    uint32_t cyclingPeriod;       // ms
    uint8_t watchedId;
    uint8_t reserved45;
    uint16_t idCount;
    uint8_t ids[kMirageMaxIds];
    char names[kMirageMaxIds][kMirageNameSize];
    uint8_t recordBarOrViews;     // 0/1 record bar; above 1 the views of a multi-view
};

#pragma pack(pop)

static_assert(offsetof(MirageOptions, hostWindow) == 0);
static_assert(offsetof(MirageOptions, ownId) == 4);
static_assert(offsetof(MirageOptions, groupAddress) == 5);
static_assert(offsetof(MirageOptions, port) == 26);
static_assert(offsetof(MirageOptions, windowed) == 28);
static_assert(offsetof(MirageOptions, burstPause) == 30);
static_assert(offsetof(MirageOptions, burstLength) == 32);
static_assert(offsetof(MirageOptions, lossless) == 34);
static_assert(offsetof(MirageOptions, jpegQuality) == 35);
static_assert(offsetof(MirageOptions, modeFlag) == 36);
static_assert(offsetof(MirageOptions, cyclingPeriod) == 40);
static_assert(offsetof(MirageOptions, watchedId) == 44);
static_assert(offsetof(MirageOptions, idCount) == 46);
static_assert(offsetof(MirageOptions, ids) == 48);
static_assert(offsetof(MirageOptions, names) == 208);
static_assert(offsetof(MirageOptions, recordBarOrViews) == 41008);
static_assert(sizeof(MirageOptions) == 41009);
