// Recordings on disk: forged indexes are refused before anything is read
// into a buffer (the sanitizers watch), a written recording reads back step
// by step, a failed append leaves what came before playable, the playback
// schedule keeps the recorded pace, and the record bar's buttons follow
// their phases.

#include "broadcast/FrameRows.h"
#include "broadcast/PlaybackSchedule.h"
#include "broadcast/RecordBarStates.h"
#include "broadcast/RecordingFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t kWidth = 64;
constexpr uint32_t kHeight = 40;
constexpr uint32_t kClass1Buffer = 1052672; // 640 x 480 x 3 + 131,072
const RecordingLimits kLimits = {kClass1Buffer, kClass1Buffer + 1010};

RecordFrameInfo Frame(uint32_t tick, uint32_t width = kWidth, uint32_t height = kHeight, uint8_t bits = 24)
{
    return {width, height, bits, 60, 5, 6, tick};
}

// An index in memory: head and records, with payload bytes beside it.
struct Index {
    uint32_t count = 0;
    uint32_t startTick = 1000;
    std::vector<RecIndexRecord> records;
    uint64_t payloadBytes = 0;

    void Add(const RecIndexRecord& r)
    {
        records.push_back(r);
        count = static_cast<uint32_t>(records.size());
        payloadBytes += r.kind == REC_KIND_BLOCK ? r.length : 0;
    }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b(sizeof(RecIndexHead) + records.size() * sizeof(RecIndexRecord));
        const RecIndexHead head = {count, startTick};
        std::memcpy(b.data(), &head, sizeof head);
        if (!records.empty())
            std::memcpy(b.data() + sizeof head, records.data(), records.size() * sizeof(RecIndexRecord));
        return b;
    }
};

Index GoodIndex()
{
    Index index;
    index.Add(BuildRawStartRecord(Frame(1000)));
    index.Add(BuildFrameEndRecord(Frame(1000)));
    index.Add(BuildJpegBlockRecord(Frame(1100), 0, {0, 0, 32, 40}, 700));
    index.Add(BuildJpegBlockRecord(Frame(1100), 1, {32, 0, 64, 40}, 650));
    index.Add(BuildFrameEndRecord(Frame(1100)));
    return index;
}

RecordingCheck Check(const std::vector<uint8_t>& bytes, uint64_t dataSize, const RecordingLimits& limits = kLimits)
{
    std::vector<RecIndexRecord> records;
    uint32_t startTick = 0;
    return CheckRecording(bytes.data(), bytes.size(), dataSize, limits, records, startTick);
}

TEST(RecordingFormat, RecordLayoutMatchesTheFile)
{
    const RecIndexRecord r = BuildJpegBlockRecord(Frame(77), 3, {1, 2, 30, 40}, 500);
    uint8_t bytes[sizeof r];
    std::memcpy(bytes, &r, sizeof r);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(bytes[4], 3);
    EXPECT_EQ(bytes[6], 1);
    EXPECT_EQ(bytes[10], 30);
    EXPECT_EQ(bytes[14], 24);
    EXPECT_EQ(bytes[16] | bytes[17] << 8, 500);
    EXPECT_EQ(bytes[32], kHeight); // a block repeats the screen height
    EXPECT_EQ(bytes[36], 77);
    const RecIndexRecord start = BuildRawStartRecord(Frame(0, kWidth, kHeight, 16));
    EXPECT_EQ(start.length, kWidth * kHeight * 2);
    EXPECT_EQ(start.encoding, REC_ENCODING_RAW);
}

TEST(RecordingFormat, GoodIndexIsPlayableAndSmallIndexesAreEmpty)
{
    const Index good = GoodIndex();
    EXPECT_EQ(Check(good.Bytes(), good.payloadBytes), RecordingCheck::Playable);
    EXPECT_EQ(Check({}, 0), RecordingCheck::Empty);
    EXPECT_EQ(Check({0, 0, 0}, 0), RecordingCheck::Empty);
    EXPECT_EQ(Check({0, 0, 0, 0}, 0), RecordingCheck::Empty); // what a clearing leaves
}

TEST(RecordingFormat, ForgedIndexesAreDamaged)
{
    struct Case {
        const char* what;
        std::function<void(Index&)> forge;
        RecordingLimits limits = kLimits;
    };
    const std::vector<Case> cases = {
        {"count 0xFFFFFFFF", [](Index& i) { i.count = 0xFFFFFFFF; }},
        {"count above the records", [](Index& i) { i.count += 1; }},
        {"length 0xFFFFFFFF", [](Index& i) { i.records[2].length = 0xFFFFFFFF; }},
        {"block 16", [](Index& i) { i.records[2].blockIndex = 16; }},
        {"block 65535", [](Index& i) { i.records[2].blockIndex = 65535; }},
        {"left = right", [](Index& i) { i.records[2].left = i.records[2].right; }},
        {"left > right", [](Index& i) { i.records[2].left = 40; }},
        {"right > width", [](Index& i) { i.records[3].right = kWidth + 1; }},
        {"bottom > height", [](Index& i) { i.records[3].bottom = kHeight + 1; }},
        {"4096 x 4096 x 24", [](Index& i) { i.records[4].screenWidth = i.records[4].screenHeight = 4096; }},
        {"0 bits", [](Index& i) { i.records[1].bitsPerPixel = 0; }},
        {"32 bits", [](Index& i) { i.records[0].bitsPerPixel = 32; }},
        {"JPEG at 16 bits", [](Index& i) { i.records[2].bitsPerPixel = 16; }},
        {"JPEG of 0 bytes", [](Index& i) { i.records[2].length = 0; }},
        {"raw length off by one", [](Index& i) { i.records[0].length -= 1; }},
        {"raw in block 1", [](Index& i) { i.records[0].blockIndex = 1; }},
        {"kind 2", [](Index& i) { i.records[1].kind = 2; }},
        {"encoding 2", [](Index& i) { i.records[2].encoding = 2; }},
        // Two lengths whose u32 sum wraps to a small number: a u32 offset
        // would put both payloads inside a small data file.
        {"lengths wrap",
         [](Index& i) {
             i.records[2].length = 0x80000000u;
             i.records[3].length = 0x80000000u;
         },
         {kClass1Buffer, 0x80000000u}},
    };
    for (const Case& c : cases) {
        Index index = GoodIndex();
        const uint64_t dataSize = index.payloadBytes;
        c.forge(index);
        EXPECT_EQ(Check(index.Bytes(), dataSize, c.limits), RecordingCheck::Damaged) << c.what;
    }
    // The data file shorter than the payloads, and an index cut inside a record.
    const Index good = GoodIndex();
    EXPECT_EQ(Check(good.Bytes(), good.payloadBytes - 1), RecordingCheck::Damaged);
    std::vector<uint8_t> cut = good.Bytes();
    cut.resize(cut.size() - 20);
    EXPECT_EQ(Check(cut, good.payloadBytes), RecordingCheck::Damaged);
}

// A recording folder of its own.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        char name[] = "/tmp/kqrecXXXXXX";
        path = mkdtemp(name);
    }
    ~TempFolder() { std::system(("rm -rf " + path).c_str()); }
    std::string File(const char* name) const { return RecordingPath(path, name); }
};

// What a step handed over.
struct Collected : PlaybackSink {
    std::vector<RecIndexRecord> blocks;
    std::vector<std::vector<uint8_t>> payloads;
    std::vector<RecIndexRecord> frameEnds;
    bool Block(const RecIndexRecord& r, const uint8_t* payload) override
    {
        blocks.push_back(r);
        payloads.emplace_back(payload, payload + r.length);
        return true;
    }
    void FrameEnd(const RecIndexRecord& r) override { frameEnds.push_back(r); }
};

std::vector<uint8_t> Pattern(size_t size, uint8_t seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + seed);
    return bytes;
}

uint64_t SizeOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    return file ? static_cast<uint64_t>(file.tellg()) : 0;
}

TEST(RecordingFiles, WrittenRecordingReadsBackStepByStep)
{
    TempFolder folder;
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    const std::vector<uint8_t> frame = Pattern(FrameRowBytes(kWidth, 24) * kHeight, 1);
    ASSERT_TRUE(writer.Start(Frame(1000), frame.data(), kLimits));
    const std::vector<uint8_t> jpeg1 = Pattern(700, 2);
    const std::vector<uint8_t> jpeg2 = Pattern(333, 3);
    EXPECT_EQ(writer.AppendBlock(Frame(1100), 0, {0, 0, 32, 40}, jpeg1.data(), 700, kLimits),
              CRecordingWriter::Append::Written);
    EXPECT_EQ(writer.AppendFrameEnd(Frame(1100), kLimits), CRecordingWriter::Append::Written);
    EXPECT_EQ(writer.AppendBlock(Frame(1250), 1, {32, 0, 64, 40}, jpeg2.data(), 333, kLimits),
              CRecordingWriter::Append::Written);
    EXPECT_EQ(writer.AppendFrameEnd(Frame(1250), kLimits), CRecordingWriter::Append::Written);
    // A block the player would refuse is not written.
    EXPECT_EQ(writer.AppendBlock(Frame(1250), 16, {0, 0, 8, 8}, jpeg2.data(), 333, kLimits),
              CRecordingWriter::Append::Refused);
    writer.Stop();
    EXPECT_EQ(writer.AppendFrameEnd(Frame(1300), kLimits), CRecordingWriter::Append::NotRecording);
    EXPECT_EQ(writer.Count(), 6u);
    EXPECT_EQ(SizeOf(folder.File(kRecordIndexFile)), RecordOffset(6));
    EXPECT_EQ(SizeOf(folder.File(kRecordDataFile)), frame.size() + 700 + 333);

    CRecordingReader reader;
    ASSERT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Playable);
    EXPECT_EQ(reader.StartTick(), 1000u);
    PlaybackCursor cursor;
    std::vector<uint8_t> scratch;
    Collected first;
    ASSERT_EQ(PlayStep(reader, cursor, first, scratch), PlaybackStep::FrameEnded);
    ASSERT_EQ(first.blocks.size(), 1u);
    EXPECT_EQ(first.blocks[0].encoding, REC_ENCODING_RAW);
    EXPECT_EQ(first.payloads[0], frame);
    Collected second;
    ASSERT_EQ(PlayStep(reader, cursor, second, scratch), PlaybackStep::FrameEnded);
    ASSERT_EQ(second.payloads.size(), 1u);
    EXPECT_EQ(second.payloads[0], jpeg1);
    Collected third;
    ASSERT_EQ(PlayStep(reader, cursor, third, scratch), PlaybackStep::FrameEnded);
    EXPECT_EQ(third.payloads[0], jpeg2);
    EXPECT_EQ(third.frameEnds[0].tick, 1250u);
    EXPECT_EQ(cursor.next, reader.Records().size());
}

TEST(RecordingFiles, StartFramePaddedRowsAreRecordedPacked)
{
    TempFolder folder;
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    constexpr uint32_t kOddWidth = 13; // 39 bytes a row, 40 in the frame
    std::vector<uint8_t> frame = Pattern(FrameRowBytes(kOddWidth, 24) * 3, 9);
    ASSERT_TRUE(writer.Start(Frame(5, kOddWidth, 3), frame.data(), kLimits));
    writer.Stop();
    CRecordingReader reader;
    ASSERT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Playable);
    PlaybackCursor cursor;
    std::vector<uint8_t> scratch;
    Collected step;
    ASSERT_EQ(PlayStep(reader, cursor, step, scratch), PlaybackStep::FrameEnded);
    ASSERT_EQ(step.payloads[0].size(), 39u * 3);
    EXPECT_EQ(std::memcmp(step.payloads[0].data() + 39, frame.data() + 40, 39), 0);
}

TEST(RecordingFiles, StartRefusesWhatCannotBePlayedOrWritten)
{
    TempFolder folder;
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    const std::vector<uint8_t> frame(kClass1Buffer);
    // A geometry beyond the frame buffer starts nothing.
    EXPECT_FALSE(writer.Start(Frame(1, 1024, 768), frame.data(), kLimits));
    EXPECT_FALSE(writer.Start(Frame(1, 0, 0), frame.data(), kLimits));
    EXPECT_FALSE(writer.IsRecording());
    EXPECT_EQ(SizeOf(folder.File(kRecordIndexFile)), 0u);
    // A folder that does not exist: the files cannot be created.
    writer.SetFolder(folder.path + "/missing");
    EXPECT_FALSE(writer.Start(Frame(1), frame.data(), kLimits));
    EXPECT_FALSE(writer.IsRecording());
    EXPECT_EQ(writer.AppendFrameEnd(Frame(2), kLimits), CRecordingWriter::Append::NotRecording);
    EXPECT_FALSE(writer.Clear());
}

TEST(RecordingFiles, FailedAppendEndsRecordingAndKeepsWhatCameBefore)
{
    TempFolder folder;
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    const std::vector<uint8_t> frame = Pattern(FrameRowBytes(kWidth, 24) * kHeight, 4);
    const std::vector<uint8_t> jpeg = Pattern(500, 5);
    ASSERT_TRUE(writer.Start(Frame(10), frame.data(), kLimits));
    ASSERT_EQ(writer.AppendBlock(Frame(20), 0, {0, 0, 64, 40}, jpeg.data(), 500, kLimits),
              CRecordingWriter::Append::Written);
    ASSERT_EQ(writer.AppendFrameEnd(Frame(20), kLimits), CRecordingWriter::Append::Written);
    // The disk fills up: every write to the data file fails from now on.
    const std::string data = folder.File(kRecordDataFile);
    const std::string kept = data + ".kept";
    ASSERT_EQ(std::rename(data.c_str(), kept.c_str()), 0);
    ASSERT_EQ(symlink("/dev/full", data.c_str()), 0);
    EXPECT_EQ(writer.AppendBlock(Frame(30), 0, {0, 0, 64, 40}, jpeg.data(), 500, kLimits),
              CRecordingWriter::Append::Failed);
    EXPECT_FALSE(writer.IsRecording());
    EXPECT_EQ(writer.AppendFrameEnd(Frame(30), kLimits), CRecordingWriter::Append::NotRecording);
    ASSERT_EQ(std::remove(data.c_str()), 0);
    ASSERT_EQ(std::rename(kept.c_str(), data.c_str()), 0);

    CRecordingReader reader;
    ASSERT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Playable);
    EXPECT_EQ(reader.Records().size(), 4u);
    PlaybackCursor cursor;
    std::vector<uint8_t> scratch;
    Collected one, two;
    EXPECT_EQ(PlayStep(reader, cursor, one, scratch), PlaybackStep::FrameEnded);
    EXPECT_EQ(PlayStep(reader, cursor, two, scratch), PlaybackStep::FrameEnded);
    EXPECT_EQ(two.payloads.at(0), jpeg);
}

TEST(RecordingFiles, ClearLeavesAnEmptyRecordingAndMissingFilesAreMissing)
{
    TempFolder folder;
    CRecordingReader reader;
    EXPECT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Missing);
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    const std::vector<uint8_t> frame = Pattern(FrameRowBytes(kWidth, 24) * kHeight, 4);
    ASSERT_TRUE(writer.Start(Frame(10), frame.data(), kLimits));
    ASSERT_TRUE(writer.Clear());
    EXPECT_FALSE(writer.IsRecording());
    EXPECT_EQ(SizeOf(folder.File(kRecordIndexFile)), 4u);
    EXPECT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Empty);
    std::remove(folder.File(kRecordDataFile).c_str());
    EXPECT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Missing);
}

TEST(RecordingFiles, DataFileThatShrankDuringPlaybackFailsTheRead)
{
    TempFolder folder;
    CRecordingWriter writer;
    writer.SetFolder(folder.path);
    const std::vector<uint8_t> frame = Pattern(FrameRowBytes(kWidth, 24) * kHeight, 4);
    ASSERT_TRUE(writer.Start(Frame(10), frame.data(), kLimits));
    CRecordingReader reader;
    ASSERT_EQ(reader.Load(folder.path, kLimits), CRecordingReader::Open::Playable);
    std::ofstream(folder.File(kRecordDataFile), std::ios::trunc);
    PlaybackCursor cursor;
    std::vector<uint8_t> scratch;
    Collected step;
    EXPECT_EQ(PlayStep(reader, cursor, step, scratch), PlaybackStep::ReadFailed);
    EXPECT_TRUE(step.blocks.empty());
}

TEST(PlaybackSchedule, GapsFollowTheRecordedTicks)
{
    EXPECT_EQ(RecordedGap(1000, 1100), 100u);
    EXPECT_EQ(RecordedGap(0xFFFFFFF0u, 0x10u), 0x20u); // across the counter's wrap
    EXPECT_EQ(RecordedGap(1100, 1000), 0u);            // backwards
    EXPECT_EQ(RecordedGap(0, 600000), 60000u);         // ten minutes count one
}

TEST(PlaybackSchedule, LateStepDelaysNoLaterFrame)
{
    CPlaybackSchedule schedule;
    schedule.Start(5000, 1000);
    EXPECT_EQ(schedule.FirstDue(), 5010u);
    EXPECT_EQ(schedule.FrameEnd(1000), 5010u);
    const uint64_t second = schedule.FrameEnd(1100);
    EXPECT_EQ(second, 5110u);
    // The step that composed the second frame ran 250 ms late: the frame
    // shows at once and the third keeps its own time.
    EXPECT_EQ(CPlaybackSchedule::DelayUntil(second, 5360), 0u);
    EXPECT_EQ(schedule.FrameEnd(1200), 5210u);
    // 50 frames 100 ms apart end 5 s after the first, not 5 s plus the steps.
    CPlaybackSchedule fifty;
    fifty.Start(0, 0);
    uint64_t due = 0;
    for (uint32_t k = 1; k <= 50; ++k)
        due = fifty.FrameEnd(k * 100);
    EXPECT_EQ(due, 5010u);
}

TEST(RecordBarStates, PhasesFollowTheTable)
{
    const RecordBarStates none;
    struct Case {
        RecordBarFacts facts;
        RecordBarStates idle;
    };
    const Case cases[] = {
        {{true, true, false}, {true, false, false, false, false}},
        {{true, false, true}, none},
        {{false, true, true}, {false, false, true, true, true}},
        {{false, true, false}, {false, false, false, false, true}},
        {{false, false, true}, {false, false, false, false, true}}, // removable drive
    };
    for (const Case& c : cases)
        EXPECT_EQ(IdleStates(c.facts), c.idle);
    EXPECT_EQ(BusyStates(), (RecordBarStates{false, true, false, false, false}));
    EXPECT_EQ(ClearedStates(), (RecordBarStates{false, false, false, false, true}));
}

} // namespace
