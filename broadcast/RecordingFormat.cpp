#include "broadcast/RecordingFormat.h"

#include "broadcast/FrameAssembler.h"

#include <cstring>

namespace {

constexpr uint32_t kBitsPerByte = 8;

RecIndexRecord FrameFields(const RecordFrameInfo& frame)
{
    RecIndexRecord r = {};
    r.quality = frame.quality;
    r.bitsPerPixel = frame.bitsPerPixel;
    r.cursorX = frame.cursorX;
    r.cursorY = frame.cursorY;
    r.screenWidth = frame.width;
    r.screenHeight = frame.height;
    r.tick = frame.tick;
    return r;
}

void SetRect(RecIndexRecord& r, const MirageRect& rect)
{
    r.left = static_cast<uint16_t>(rect.left);
    r.top = static_cast<uint16_t>(rect.top);
    r.right = static_cast<uint16_t>(rect.right);
    r.bottom = static_cast<uint16_t>(rect.bottom);
}

} // namespace

uint64_t RawBlockLength(const MirageRect& rect, uint32_t bitsPerPixel)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return 0;
    const auto width = static_cast<uint64_t>(rect.right - rect.left);
    const auto height = static_cast<uint64_t>(rect.bottom - rect.top);
    return width * bitsPerPixel / kBitsPerByte * height;
}

RecIndexRecord BuildRawStartRecord(const RecordFrameInfo& frame)
{
    RecIndexRecord r = FrameFields(frame);
    r.kind = REC_KIND_BLOCK;
    r.encoding = REC_ENCODING_RAW;
    const MirageRect whole = {0, 0, static_cast<int32_t>(frame.width), static_cast<int32_t>(frame.height)};
    SetRect(r, whole);
    r.length = static_cast<uint32_t>(RawBlockLength(whole, frame.bitsPerPixel));
    return r;
}

RecIndexRecord BuildJpegBlockRecord(const RecordFrameInfo& frame, uint32_t blockIndex, const MirageRect& rect,
                                    uint32_t length)
{
    RecIndexRecord r = FrameFields(frame);
    r.kind = REC_KIND_BLOCK;
    r.encoding = REC_ENCODING_JPEG;
    r.blockIndex = static_cast<uint16_t>(blockIndex);
    SetRect(r, rect);
    r.length = length;
    return r;
}

RecIndexRecord BuildFrameEndRecord(const RecordFrameInfo& frame)
{
    RecIndexRecord r = FrameFields(frame);
    r.kind = REC_KIND_FRAME_END;
    r.encoding = REC_ENCODING_JPEG;
    return r;
}

MirageRect RecordRect(const RecIndexRecord& record)
{
    return {record.left, record.top, record.right, record.bottom};
}

bool IsPlayableRecord(const RecIndexRecord& r, const RecordingLimits& limits)
{
    if (r.kind > REC_KIND_FRAME_END || r.encoding > REC_ENCODING_JPEG)
        return false;
    if (!IsShowableGeometry(r.screenWidth, r.screenHeight, r.bitsPerPixel, limits.frameBufferSize))
        return false;
    if (r.kind == REC_KIND_FRAME_END)
        return true;
    if (r.blockIndex >= kRecordBlockSlots)
        return false;
    if (r.left >= r.right || r.top >= r.bottom || r.right > r.screenWidth || r.bottom > r.screenHeight)
        return false;
    if (r.encoding == REC_ENCODING_JPEG)
        return r.bitsPerPixel == kRecordJpegBits && r.length >= 1 && r.length <= limits.wireBufferSize;
    // Raw: the start frame, the whole of it in block 0.
    return r.blockIndex == 0 && r.length == RawBlockLength(RecordRect(r), r.bitsPerPixel);
}

RecordingCheck CheckRecording(const uint8_t* index, size_t indexSize, uint64_t dataSize,
                              const RecordingLimits& limits, std::vector<RecIndexRecord>& records,
                              uint32_t& startTick)
{
    records.clear();
    startTick = 0;
    uint32_t count = 0;
    if (indexSize < sizeof count)
        return RecordingCheck::Empty;
    std::memcpy(&count, index, sizeof count);
    if (count == 0)
        return RecordingCheck::Empty;
    if (indexSize < RecordOffset(count))
        return RecordingCheck::Damaged;
    std::memcpy(&startTick, index + offsetof(RecIndexHead, startTick), sizeof startTick);
    records.resize(count);
    std::memcpy(records.data(), index + sizeof(RecIndexHead), sizeof(RecIndexRecord) * count);
    uint64_t dataOffset = 0;
    for (const RecIndexRecord& r : records) {
        if (!IsPlayableRecord(r, limits)) {
            records.clear();
            return RecordingCheck::Damaged;
        }
        dataOffset += r.kind == REC_KIND_BLOCK ? r.length : 0;
        if (dataOffset > dataSize) {
            records.clear();
            return RecordingCheck::Damaged;
        }
    }
    return RecordingCheck::Playable;
}
