#pragma once
// The two files of a recording in one folder: writing them (the viewer
// thread starts and clears, the receive thread appends; one lock serialises
// every operation, so an append never lands in the files of a newer
// recording) and reading them back for playback. Each operation opens and
// closes the files it needs. Portable.

#include "broadcast/RecordingFormat.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// folder + "\" + name (the folder as the host gave it).
std::string RecordingPath(const std::string& folder, const char* name);

// Both files open and the index counts at least one record.
bool HasRecording(const std::string& folder);

class CRecordingWriter {
public:
    enum class Append { NotRecording, Written, Refused, Failed };

    void SetFolder(const std::string& folder);

    // Starts a recording with the current frame (bottom-up rows padded as
    // FrameRowBytes gives them) and its frame end. False, with nothing
    // recording, when the geometry does not fit the limits or a file cannot
    // be written.
    bool Start(const RecordFrameInfo& frame, const uint8_t* frameBuffer, const RecordingLimits& limits);
    // A decoded JPEG block and the frame end after a composed frame. Payload,
    // record, then count: the first failed write ends the recording
    // (Failed) and leaves what came before playable. A record the player
    // would refuse is not written (Refused).
    Append AppendBlock(const RecordFrameInfo& frame, uint32_t blockIndex, const MirageRect& rect,
                       const uint8_t* stream, uint32_t length, const RecordingLimits& limits);
    Append AppendFrameEnd(const RecordFrameInfo& frame, const RecordingLimits& limits);
    void Stop();
    // Empties the recording: a 4-byte index of count 0 and an empty data
    // file. False when either cannot be written.
    bool Clear();

    bool IsRecording() const;
    uint32_t Count() const;

private:
    bool WriteRecord(const RecIndexRecord& record, const uint8_t* payload, size_t payloadSize);
    bool WriteRawFrame(const RecIndexRecord& record, const uint8_t* frameBuffer);

    mutable std::mutex m_lock;
    std::string m_folder;
    bool m_recording = false;
    uint32_t m_count = 0;
};

class CRecordingReader {
public:
    enum class Open { Playable, Empty, Damaged, Missing };

    // Reads and checks the whole index against the data file.
    Open Load(const std::string& folder, const RecordingLimits& limits);
    const std::vector<RecIndexRecord>& Records() const { return m_records; }
    uint32_t StartTick() const { return m_startTick; }
    const std::string& DataPath() const { return m_dataPath; }

private:
    std::vector<RecIndexRecord> m_records;
    uint32_t m_startTick = 0;
    std::string m_dataPath;
};

// Where playback stands: the next record and its payload's offset.
struct PlaybackCursor {
    size_t next = 0;
    uint64_t dataOffset = 0;
};

// What a step hands over: each block with its payload, then the frame end.
class PlaybackSink {
public:
    virtual ~PlaybackSink() = default;
    // False: the payload did not decode; the block is dropped.
    virtual bool Block(const RecIndexRecord& record, const uint8_t* payload) = 0;
    virtual void FrameEnd(const RecIndexRecord& record) = 0;
};

enum class PlaybackStep { FrameEnded, NoFrameEnd, ReadFailed };

// Plays the records from the cursor up to and including the next frame end.
PlaybackStep PlayStep(const CRecordingReader& reader, PlaybackCursor& cursor, PlaybackSink& sink,
                      std::vector<uint8_t>& scratch);
