#include "broadcast/RecordPlayer.h"

#include "broadcast/JpegLibrary.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/Recorder.h"

#include <algorithm>
#include <cstring>

namespace {

MirageGeometry GeometryOf(const RecIndexRecord& r) { return {r.screenWidth, r.screenHeight, r.bitsPerPixel}; }

} // namespace

CRecordPlayer::Start CRecordPlayer::Begin(const std::string& folder, uint64_t now)
{
    m_cursor = {};
    m_assembler = std::make_unique<CFrameAssembler>(recorder::EngineBuffers());
    m_assembler->SetJpegDecoder(&DecodeJpegWithLibrary);
    m_assembler->Reset(); // clears the rectangle table
    switch (m_reader.Load(folder, recorder::EngineLimits())) {
    case CRecordingReader::Open::Missing:
        return Start::Missing;
    case CRecordingReader::Open::Empty:
        return Start::Empty;
    case CRecordingReader::Open::Damaged:
        return Start::Damaged;
    default:
        break;
    }
    EngineState().recordCount = static_cast<uint32_t>(m_reader.Records().size());
    m_schedule.Start(now, m_reader.StartTick());
    return Start::Playing;
}

CRecordPlayer::Step CRecordPlayer::Next(uint64_t& due)
{
    m_composed = false;
    switch (PlayStep(m_reader, m_cursor, *this, m_scratch)) {
    case PlaybackStep::ReadFailed:
        return Step::ReadFailed;
    case PlaybackStep::NoFrameEnd:
        return Step::Finished;
    default:
        break;
    }
    if (!m_composed)
        return Step::Damaged;
    due = m_schedule.FrameEnd(m_frameTick);
    return Step::Composed;
}

bool CRecordPlayer::Block(const RecIndexRecord& r, const uint8_t* payload)
{
    MirageEngineState& state = EngineState();
    const MirageGeometry g = GeometryOf(r);
    const MirageRect rect = RecordRect(r);
    const bool stored = r.encoding == REC_ENCODING_RAW
                            ? m_assembler->StoreRawBlock(rect, g, payload, r.length)
                            : m_assembler->DecodeStoredJpeg(r.blockIndex, rect, g, r.quality, payload, r.length);
    if (stored) {
        state.compression = MIRAGE_COMPRESSION_JPEG;
        state.compressedLength = r.length;
        state.jpegQuality = r.quality;
    }
    return stored;
}

void CRecordPlayer::FrameEnd(const RecIndexRecord& r)
{
    MirageEngineState& state = EngineState();
    const MirageGeometry g = GeometryOf(r);
    m_frameTick = r.tick;
    // Checked with the whole index before playing; composed as on the wire.
    m_composed = m_assembler->EndStoredFrame(g);
    if (!m_composed)
        return;
    state.frameWidth = g.width;
    state.frameHeight = g.height;
    state.frameBpp = g.bitsPerPixel;
    // The recorded cursor, kept inside the frame.
    state.cursorX = static_cast<int32_t>(std::min(r.cursorX, g.width - 1));
    state.cursorY = static_cast<int32_t>(std::min(r.cursorY, g.height - 1));
}
