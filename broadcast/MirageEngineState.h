#pragma once
// The engine state: one process-wide record that the host's thread and the
// engine's four threads share. The host's thread writes the mode fields while
// engineActive is 0; the other threads act only while it is 1. The flags that
// the threads poll, and the values DoReSetOption changes at any time, are
// atomic.

#include "broadcast/DatagramParser.h"
#include "broadcast/MirageDatagram.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/MirageOptions.h"
#include "broadcast/MirageRect.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kMirageBlockSlots = 16;
inline constexpr size_t kMirageBlockSlotStride = 247808;
inline constexpr size_t kMirageBlockAreaSize = 4063232;
inline constexpr size_t kMirageRectTableSize = 64;
inline constexpr size_t kMirageMaxViews = 16;
inline constexpr uint16_t kMirageDefaultMaxViews = 4;
inline constexpr size_t kMirageNameTableSize = 256; // every u8 station id has an entry
inline constexpr size_t kMirageGroupAddressSize = 22;
inline constexpr uint16_t kMirageControlSendDelayMs = 2;
// wireBuffer holds one fragment more than a block's stream, zeroed, so the
// last fragment of a block never reads past it.
inline constexpr size_t kMirageWireSlack = kMirageFragmentPayload;

static_assert(kMirageBlockSlots * kMirageBlockSlotStride <= kMirageBlockAreaSize);

enum MirageOpenMode : int32_t {
    MIRAGE_OPEN_FULL = 0,
    MIRAGE_OPEN_RECEIVE_ONLY = 1,
};

struct MirageEngineState {
    // Engine and mode.
    int32_t openMode = MIRAGE_OPEN_FULL;
    uint16_t osKind = 0;
    std::atomic<int32_t> modeRunning{0};
    std::atomic<int32_t> engineActive{0};
    std::atomic<int32_t> receiveStop{0};
    int32_t side = 0;          // 0 teacher station, 1 student station
    int32_t modeKind = 0;
    uint16_t viewState = 0;
    uint16_t inputRole = 0;
    int32_t showRemoteCursor = 0;
    uint16_t pointerRole = 0;
    uint16_t keyRole = 0;
    int32_t windowedView = 0;
    int32_t lockSystemKeys = 0;
    uint16_t currentView = 0;
    int32_t dodgeView = 0;
    std::atomic<int32_t> dataSeen{0};
    uint16_t idListMode = 0;
    uint16_t viewMenu = 0;
    int32_t monitorNotice = 0;
    int32_t watchedNoticeSent = 0;
    int32_t recordBarOn = 0;
    uint8_t studentDemoView = 0;
    uint8_t ownId = 0;
    uint32_t hostWindow = 0;   // 32-bit handle value of the host's window
    // The warn or lock text that notices 10 and 11 point the host at; kept
    // until the next one.
    char noticeText[kMirageNoticeTextSize] = {};

    // Network.
    char groupAddress[kMirageGroupAddressSize] = {};
    std::atomic<uint32_t> groupNumeric{0}; // as inet_addr gives it; 0 until a mode parsed options
    uint16_t port = 0;
    uint16_t portNetworkOrder = 0;
    std::atomic<uintptr_t> socketHandle{0}; // 0 while no group socket is open

    // Sending.
    int32_t windowedFlag = 0;
    std::atomic<uint8_t> sendRecordBar{0};
    std::atomic<uint8_t> sendWindowed{0};
    std::atomic<uint16_t> burstPause{1};
    std::atomic<uint16_t> burstLength{1};
    uint8_t compression = MIRAGE_COMPRESSION_JPEG;
    uint8_t gridMode = 0;
    std::atomic<int32_t> losslessChanged{0};
    std::atomic<uint8_t> losslessPending{0};
    uint16_t jpegQuality = 0;
    uint16_t controlSendDelay = kMirageControlSendDelayMs;
    int32_t threadPriority = 0;
    int32_t captureSwitch = 1;
    std::atomic<int32_t> fullFrameCountdown{0};

    // Station list and views.
    int32_t cyclingOn = 0;
    uint32_t cyclingPeriod = 0;
    uint32_t toolSoundState = 0;
    uint16_t reviewFlag = 0;
    uint8_t watchedId = 0;
    uint16_t idCount = 0;
    uint8_t ids[kMirageMaxIds] = {};
    uint16_t maxViews = kMirageDefaultMaxViews;
    int32_t visibleCount = 0;
    uint8_t visibleIds[kMirageMaxViews] = {};
    int32_t pagePos = 0;
    int32_t cyclePos = 0;
    const char* modeText = ""; // the mode's banner, a constant text
    char names[kMirageNameTableSize][kMirageNameSize] = {};

    // Frames and buffers.
    uint32_t frameWidth = 0;
    uint32_t frameHeight = 0;
    uint8_t frameBpp = 0;
    uint32_t classWidth = 0;
    uint32_t classHeight = 0;
    uint32_t frameBufferSize = 0;
    uint8_t* blockArea = nullptr;
    uint8_t* blockBuffers[kMirageBlockSlots] = {};
    MirageRect rectTable[kMirageRectTableSize] = {};
    uint8_t* wireBuffer = nullptr;  // frameBufferSize + kMirageWireSlack bytes
    uint8_t* frameBuffer = nullptr; // frameBufferSize bytes
    uint32_t compressedLength = 0;
    uint8_t cursorShapeArea[kMirageCursorShapeAreaSize] = {};

    // Recording.
    std::atomic<int32_t> recordingOn{0};
    uint32_t recordCount = 0;

    // The viewer's own (decoder window and views).
    uint16_t zoomed = 0;
    int32_t switchPending = 0;
    int32_t skipNextDraw = 0;
    int32_t waitingForFrame = 0;
    std::atomic<int32_t> playbackOn{0};
    // Colour table of 8-bit frames (the sender's palette), 256 entries.
    uint8_t framePalette[1024] = {};
    // The last received cursor (sender pixels) and remote pointer, for the
    // current view.
    std::atomic<int32_t> cursorX{0};
    std::atomic<int32_t> cursorY{0};
    std::atomic<int32_t> pointerX{0};
    std::atomic<int32_t> pointerY{0};
};

// The one engine state of the process.
MirageEngineState& EngineState();

// The capacities of the buffers DoOpenMirage allocated, for the parser.
MirageReceiveCapacity ReceiveCapacity(const MirageEngineState& state);
