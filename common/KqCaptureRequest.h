#pragma once
// The request that the screen sender lends the capture library for one call
// of KqGetScreen_Service: which screen rectangles to capture and where the
// pixels go. Both sides are ours and are built for the same platform, so the
// record holds native pointers.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One screen rectangle in pixels; right and bottom are exclusive.
struct KqCaptureRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
static_assert(sizeof(KqCaptureRect) == 16);

struct KqCaptureRequest {
    KqCaptureRect* rects;   // `count` rectangles; capture may widen each right edge
    uint8_t** buffers;      // `count` buffers, one per rectangle
    uint16_t count;
    int16_t bitsPerPixel;   // written by the capture codes: format delivered
};
static_assert(offsetof(KqCaptureRequest, rects) == 0);
static_assert(offsetof(KqCaptureRequest, buffers) == sizeof(void*));
static_assert(offsetof(KqCaptureRequest, count) == 2 * sizeof(void*));
static_assert(offsetof(KqCaptureRequest, bitsPerPixel) == 2 * sizeof(void*) + 2);
static_assert(sizeof(KqCaptureRequest) == 2 * sizeof(void*) + 4);
#if defined(_WIN64) || defined(__x86_64__)
static_assert(sizeof(KqCaptureRequest) == 20);
#endif

// What the version query writes instead of a request.
struct KqCaptureVersion {
    uint16_t majorVersion; // 0
    uint16_t minorVersion; // 1
};
static_assert(sizeof(KqCaptureVersion) == 4);
static_assert(offsetof(KqCaptureVersion, minorVersion) == 2);

#pragma pack(pop)

// The operations of KqGetScreen_Service, by code.
enum KqCaptureCode : uint32_t {
    KQ_CAPTURE_VERSION = 0,
    KQ_CAPTURE_SET_UP = 1,          // DirectDraw and the primary surface
    KQ_CAPTURE_RELEASE = 2,
    KQ_CAPTURE_PRIMARY = 3,         // locked primary surface, display depth
    KQ_CAPTURE_GDI = 4,             // GDI, display depth (16 or 24)
    KQ_CAPTURE_PRIMARY_24 = 5,      // locked primary surface, 24 bits
    KQ_CAPTURE_GDI_24 = 6,          // GDI, 24 bits
    KQ_CAPTURE_OFFSCREEN = 7,       // off-screen copy, display depth
    KQ_CAPTURE_OFFSCREEN_24 = 8,    // off-screen copy, 24 bits
};

// Exported by name from KqGetBmp.dll.
extern "C" int32_t KqGetScreen_Service(uint32_t code, void* record);
using KqGetScreenServiceProc = int32_t (*)(uint32_t code, void* record);
