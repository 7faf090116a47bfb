#pragma once
// The thirteen mode exports as data: what each one sets in the engine state
// and which engine threads it commands. DoExecScreen's dispatch is a table
// here too.

#include <cstddef>
#include <cstdint>
#include <optional>

enum class MirageMode {
    TeacherTeacherDemo,
    StudentTeacherDemo,
    TeacherStudentDemo,
    StudentStudentDemo,
    StudentStudentDemoOther,
    TeacherTeacherHandle,
    StudentTeacherHandle,
    StudentTeacherHandleOther,
    TeacherMonitor,
    StudentMonitor,
    TeacherMultiMonitor,
    StudentMultiMonitor,
    StudentPlay,
};
inline constexpr size_t kMirageModeCount = 13;

// The engine's user-interface threads.
enum class MirageThread {
    Sender, // DoGetSendScreenThread
    Cursor, // DoGetSendMouseThread
    Viewer, // DoDecompressShowThread
};

struct MirageThreadCommand {
    MirageThread thread;
    unsigned message;
};

// What happens to recordBarOn after the options are parsed.
enum class RecordBarRule {
    Off,
    AsOptions, // as byte 41008 said
    On,
};

struct MirageModeRow {
    MirageMode mode;
    const char* exportName;
    int32_t side;
    int32_t modeKind;
    uint16_t viewState;
    // The flags a row names; every other one is cleared.
    uint16_t inputRole;
    int32_t showRemoteCursor;
    uint16_t pointerRole;
    uint16_t keyRole;
    int32_t windowedView;
    int32_t lockSystemKeys;
    int32_t dodgeView;
    uint16_t idListMode;
    uint16_t viewMenu;
    int32_t monitorNotice;
    // After parsing.
    RecordBarRule recordBar;
    uint8_t studentDemoView;
    bool windowedPair;   // windowedView/lockSystemKeys from the windowed flag
    bool clearsGridMode;
    // Commands, in order.
    MirageThreadCommand commands[2];
    size_t commandCount;
    bool waitsForThreads; // false: posted without waiting
};

const MirageModeRow& ModeRow(MirageMode mode);

// DoExecScreen(kind) for a teacher (studentSide 0) or a student station;
// nothing for a kind without a mode.
std::optional<MirageMode> ExecScreenMode(int studentSide, int other, int kind);
