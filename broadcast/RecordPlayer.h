#pragma once
// Playback of the recording on the viewer thread: each step composes the
// next recorded frame through a receive path of its own over the engine's
// buffers, and says when that frame is due, so that frames come at their
// recorded pace.

#include "broadcast/FrameAssembler.h"
#include "broadcast/PlaybackSchedule.h"
#include "broadcast/RecordingFiles.h"

#include <memory>
#include <vector>

class CRecordPlayer : private PlaybackSink {
public:
    enum class Start { Playing, Missing, Empty, Damaged };
    enum class Step { Composed, Finished, Damaged, ReadFailed };

    // Reads and checks the whole recording; `now` is the tick in ms.
    Start Begin(const std::string& folder, uint64_t now);
    // Composes the next frame; on Composed, `due` is when to show it.
    Step Next(uint64_t& due);
    bool AtEnd() const { return m_cursor.next >= m_reader.Records().size(); }
    uint64_t FirstDue() const { return m_schedule.FirstDue(); }

private:
    bool Block(const RecIndexRecord& record, const uint8_t* payload) override;
    void FrameEnd(const RecIndexRecord& record) override;

    CRecordingReader m_reader;
    PlaybackCursor m_cursor;
    CPlaybackSchedule m_schedule;
    std::unique_ptr<CFrameAssembler> m_assembler;
    std::vector<uint8_t> m_scratch;
    bool m_composed = false;
    uint32_t m_frameTick = 0;
};
