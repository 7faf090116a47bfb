#pragma once
// Building and checking the records of a recording. One validator serves the
// writer (which writes nothing it would not play back) and the reader (which
// plays nothing it has not checked). Portable.

#include "broadcast/MirageRect.h"
#include "broadcast/RecIndexRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr uint32_t kRecordBlockSlots = 16;
inline constexpr uint32_t kRecordJpegBits = 24;

// What the station the recording is written or played on can hold.
struct RecordingLimits {
    size_t frameBufferSize = 0;
    size_t wireBufferSize = 0;
};

// What every record repeats of the frame it belongs to.
struct RecordFrameInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitsPerPixel = 0;
    uint16_t quality = 0;
    uint32_t cursorX = 0;
    uint32_t cursorY = 0;
    uint32_t tick = 0;
};

// Bytes of a raw block: its rows packed, as the record's length gives them.
uint64_t RawBlockLength(const MirageRect& rect, uint32_t bitsPerPixel);

RecIndexRecord BuildRawStartRecord(const RecordFrameInfo& frame);
RecIndexRecord BuildJpegBlockRecord(const RecordFrameInfo& frame, uint32_t blockIndex, const MirageRect& rect,
                                    uint32_t length);
RecIndexRecord BuildFrameEndRecord(const RecordFrameInfo& frame);

MirageRect RecordRect(const RecIndexRecord& record);

// A record that can be played on a station with `limits`.
bool IsPlayableRecord(const RecIndexRecord& record, const RecordingLimits& limits);

enum class RecordingCheck { Playable, Empty, Damaged };

// Checks a whole index (the file's bytes) against the data file's size:
// the head, every record, and every payload inside the data file by a 64-bit
// running offset. An index under 4 bytes counts 0 records. On Playable,
// `records` holds the count's records and `startTick` the head's tick.
RecordingCheck CheckRecording(const uint8_t* index, size_t indexSize, uint64_t dataSize,
                              const RecordingLimits& limits, std::vector<RecIndexRecord>& records,
                              uint32_t& startTick);
