#pragma once
// Which of the record bar's five buttons are enabled, in each phase: idle
// (record, or play and clear as the recording on disk allows), busy (only
// stop) and cleared (only exit). Portable.

#include <cstdint>

struct RecordBarStates {
    bool record = false;
    bool stop = false;
    bool play = false;
    bool clear = false;
    bool exit = false;
    bool operator==(const RecordBarStates&) const = default;
};

// What the bar knows when it decides.
struct RecordBarFacts {
    bool live = false;       // a recording can be made here
    bool fixedDrive = false; // the host folder lies on a fixed disk
    bool hasRecording = false; // both files open and the index counts records
};

// Idle: after creation, stop and refresh.
RecordBarStates IdleStates(const RecordBarFacts& facts);
// Recording or playing: only stop.
RecordBarStates BusyStates();
// After a confirmed clearing: only exit.
RecordBarStates ClearedStates();
