#include "broadcast/RecordingFiles.h"

#include "broadcast/FrameRows.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileClose>;

File OpenFile(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode)); }

bool Seek(std::FILE* file, uint64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), origin) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

int64_t Tell(std::FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return ftello(file);
#endif
}

bool Write(std::FILE* file, const void* data, size_t size)
{
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

// Closes the file and says whether everything written reached it.
bool Close(File& file)
{
    std::FILE* raw = file.release();
    return raw != nullptr && std::fclose(raw) == 0;
}

// The size of a file, or -1.
int64_t FileSize(std::FILE* file)
{
    if (!Seek(file, 0, SEEK_END))
        return -1;
    const int64_t size = Tell(file);
    return Seek(file, 0, SEEK_SET) ? size : -1;
}

} // namespace

std::string RecordingPath(const std::string& folder, const char* name)
{
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    return folder + kSeparator + name;
}

bool HasRecording(const std::string& folder)
{
    File data = OpenFile(RecordingPath(folder, kRecordDataFile), "rb");
    File index = OpenFile(RecordingPath(folder, kRecordIndexFile), "rb");
    uint32_t count = 0;
    return data && index && std::fread(&count, sizeof count, 1, index.get()) == 1 && count > 0;
}

void CRecordingWriter::SetFolder(const std::string& folder)
{
    const std::lock_guard<std::mutex> lock(m_lock);
    m_folder = folder;
}

bool CRecordingWriter::WriteRecord(const RecIndexRecord& record, const uint8_t* payload, size_t payloadSize)
{
    if (payloadSize > 0) {
        File data = OpenFile(RecordingPath(m_folder, kRecordDataFile), "ab");
        if (!data || !Write(data.get(), payload, payloadSize) || !Close(data))
            return false;
    }
    File index = OpenFile(RecordingPath(m_folder, kRecordIndexFile), "r+b");
    const uint32_t count = m_count + 1;
    // The record lies at the count's place, whatever a failed write left behind.
    if (!index || !Seek(index.get(), RecordOffset(m_count), SEEK_SET) || !Write(index.get(), &record, sizeof record) ||
        !Seek(index.get(), 0, SEEK_SET) || !Write(index.get(), &count, sizeof count) || !Close(index))
        return false;
    m_count = count;
    return true;
}

bool CRecordingWriter::WriteRawFrame(const RecIndexRecord& record, const uint8_t* frameBuffer)
{
    const uint64_t packedRow = static_cast<uint64_t>(record.screenWidth) * record.bitsPerPixel / 8;
    const uint64_t paddedRow = FrameRowBytes(record.screenWidth, record.bitsPerPixel);
    if (packedRow == paddedRow)
        return WriteRecord(record, frameBuffer, record.length);
    // The frame's rows are padded; the recording keeps them packed.
    std::vector<uint8_t> packed(record.length);
    for (uint32_t row = 0; row < record.screenHeight; ++row)
        std::copy_n(frameBuffer + row * paddedRow, packedRow, packed.data() + row * packedRow);
    return WriteRecord(record, packed.data(), packed.size());
}

bool CRecordingWriter::Start(const RecordFrameInfo& frame, const uint8_t* frameBuffer, const RecordingLimits& limits)
{
    const std::lock_guard<std::mutex> lock(m_lock);
    m_recording = false;
    m_count = 0;
    const RecIndexRecord start = BuildRawStartRecord(frame);
    const RecIndexRecord frameEnd = BuildFrameEndRecord(frame);
    if (frameBuffer == nullptr || !IsPlayableRecord(start, limits) || !IsPlayableRecord(frameEnd, limits))
        return false;
    const RecIndexHead head = {0, frame.tick};
    File index = OpenFile(RecordingPath(m_folder, kRecordIndexFile), "wb");
    if (!index || !Write(index.get(), &head, sizeof head) || !Close(index))
        return false;
    File data = OpenFile(RecordingPath(m_folder, kRecordDataFile), "wb");
    if (!data || !Close(data))
        return false;
    if (!WriteRawFrame(start, frameBuffer) || !WriteRecord(frameEnd, nullptr, 0))
        return false;
    m_recording = true;
    return true;
}

CRecordingWriter::Append CRecordingWriter::AppendBlock(const RecordFrameInfo& frame, uint32_t blockIndex,
                                                       const MirageRect& rect, const uint8_t* stream,
                                                       uint32_t length, const RecordingLimits& limits)
{
    const std::lock_guard<std::mutex> lock(m_lock);
    if (!m_recording)
        return Append::NotRecording;
    const RecIndexRecord record = BuildJpegBlockRecord(frame, blockIndex, rect, length);
    if (stream == nullptr || !IsPlayableRecord(record, limits))
        return Append::Refused;
    if (WriteRecord(record, stream, length))
        return Append::Written;
    m_recording = false;
    return Append::Failed;
}

CRecordingWriter::Append CRecordingWriter::AppendFrameEnd(const RecordFrameInfo& frame, const RecordingLimits& limits)
{
    const std::lock_guard<std::mutex> lock(m_lock);
    if (!m_recording)
        return Append::NotRecording;
    const RecIndexRecord record = BuildFrameEndRecord(frame);
    if (!IsPlayableRecord(record, limits))
        return Append::Refused;
    if (WriteRecord(record, nullptr, 0))
        return Append::Written;
    m_recording = false;
    return Append::Failed;
}

void CRecordingWriter::Stop()
{
    const std::lock_guard<std::mutex> lock(m_lock);
    m_recording = false;
}

bool CRecordingWriter::Clear()
{
    const std::lock_guard<std::mutex> lock(m_lock);
    m_recording = false;
    m_count = 0;
    const uint32_t count = 0;
    File index = OpenFile(RecordingPath(m_folder, kRecordIndexFile), "wb");
    const bool indexCleared = index && Write(index.get(), &count, sizeof count) && Close(index);
    File data = OpenFile(RecordingPath(m_folder, kRecordDataFile), "wb");
    const bool dataCleared = data && Close(data);
    return indexCleared && dataCleared;
}

bool CRecordingWriter::IsRecording() const
{
    const std::lock_guard<std::mutex> lock(m_lock);
    return m_recording;
}

uint32_t CRecordingWriter::Count() const
{
    const std::lock_guard<std::mutex> lock(m_lock);
    return m_count;
}

CRecordingReader::Open CRecordingReader::Load(const std::string& folder, const RecordingLimits& limits)
{
    m_records.clear();
    m_startTick = 0;
    m_dataPath = RecordingPath(folder, kRecordDataFile);
    File data = OpenFile(m_dataPath, "rb");
    if (!data)
        return Open::Missing;
    const int64_t dataSize = FileSize(data.get());
    data.reset();
    File index = OpenFile(RecordingPath(folder, kRecordIndexFile), "rb");
    if (!index || dataSize < 0)
        return Open::Missing;
    // The head, then as many records as it counts (never more than that).
    uint8_t head[sizeof(RecIndexHead)] = {};
    const size_t headRead = std::fread(head, 1, sizeof head, index.get());
    uint32_t count = 0;
    std::vector<uint8_t> bytes(head, head + headRead);
    if (headRead >= sizeof count) {
        std::copy_n(head, sizeof count, reinterpret_cast<uint8_t*>(&count));
        const int64_t indexSize = FileSize(index.get());
        if (count > 0 && (indexSize < 0 || static_cast<uint64_t>(indexSize) < RecordOffset(count)))
            return Open::Damaged;
        if (count > 0) {
            bytes.resize(RecordOffset(count));
            if (!Seek(index.get(), 0, SEEK_SET) || std::fread(bytes.data(), 1, bytes.size(), index.get()) != bytes.size())
                return Open::Damaged;
        }
    }
    switch (CheckRecording(bytes.data(), bytes.size(), static_cast<uint64_t>(dataSize), limits, m_records,
                           m_startTick)) {
    case RecordingCheck::Playable:
        return Open::Playable;
    case RecordingCheck::Empty:
        return Open::Empty;
    default:
        return Open::Damaged;
    }
}

PlaybackStep PlayStep(const CRecordingReader& reader, PlaybackCursor& cursor, PlaybackSink& sink,
                      std::vector<uint8_t>& scratch)
{
    const std::vector<RecIndexRecord>& records = reader.Records();
    File data = OpenFile(reader.DataPath(), "rb");
    if (!data)
        return PlaybackStep::ReadFailed;
    while (cursor.next < records.size()) {
        const RecIndexRecord& record = records[cursor.next];
        ++cursor.next;
        if (record.kind == REC_KIND_FRAME_END) {
            sink.FrameEnd(record);
            return PlaybackStep::FrameEnded;
        }
        // The file was checked when playback began; one that shrank since
        // reads short here.
        scratch.resize(record.length);
        if (!Seek(data.get(), cursor.dataOffset, SEEK_SET) ||
            std::fread(scratch.data(), 1, scratch.size(), data.get()) != scratch.size())
            return PlaybackStep::ReadFailed;
        cursor.dataOffset += record.length;
        sink.Block(record, scratch.data()); // a block that does not decode is dropped, as on the wire
    }
    return PlaybackStep::NoFrameEnd;
}
