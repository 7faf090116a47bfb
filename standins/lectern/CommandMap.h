#pragma once
// What each side of the transport hands its program:
//   - a teacher's command (CommandBlock code) becomes, on each targeted student
//     PC, up to two student commands (WM_LECTERN_NOTIFY code, sub-code, value or
//     record) and/or an action of the transport itself;
//   - a student's request becomes a teacher event;
//   - the transport's own conditions (log-on answered, silence, versions)
//     become teacher events or student commands.
// The rows themselves are in CommandMap.cpp, one line of explanation each.

#include <cstddef>
#include <cstdint>

#include "standins/lectern/Wire.h"

namespace kq::lectern {

// Largest record handed to the student agent (TeacherMessage).
inline constexpr size_t kMaxRecordSize = 480;
inline constexpr size_t kMaxDeliveries = 4; // the log-on answer needs four
inline constexpr size_t kChannelNameSize = 100;
// The teacher's text shown on a screen lock (a block text field and its end).
inline constexpr size_t kLockTextSize = kCommandArgsSize + 1;

// One WM_LECTERN_NOTIFY for the student agent. With recordSize 0 the value
// is lParam; otherwise lParam points to the record.
struct Delivery {
    uint16_t code = 0;
    uint16_t subCode = 0;
    int32_t value = 0;
    uint16_t recordSize = 0;
    uint8_t record[kMaxRecordSize] = {};
};

// What the student side of the transport does by itself.
enum class TransportAction {
    None,
    Relogon,      // log on again (the seat map was rebuilt or refreshed)
    LockScreen,   // cover the screen with the lock background and `lockText`
    UnlockScreen,
    Restart,      // restart the PC after `seconds`
    PowerOff,     // shut the PC down after `seconds`
    StartChannel, // start the channel receiver on `channelName`
    EndChannel,   // close the channel receiver and the player
};

struct CommandOutcome {
    Delivery deliveries[kMaxDeliveries];
    size_t deliveryCount = 0;
    TransportAction action = TransportAction::None;
    uint32_t seconds = 0;
    char channelName[kChannelNameSize] = {};
    char lockText[kLockTextSize] = {}; // empty: the lock's own notice
};

// What the student side knows when a command arrives.
struct StudentContext {
    int32_t seat = 0;            // from the log-on reply
    uint32_t teacherAddress = 0; // network byte order, from the datagrams
};

// The outcome of one teacher command on one student PC that it targets.
// Codes without a student counterpart give an empty outcome.
CommandOutcome MapTeacherCommand(const CommandBody& command, const StudentContext& context);

// True when the table has a row for the code (sent codes and dropped ones).
bool IsKnownTeacherCode(uint16_t code);

// The row's one-line explanation, for the trace.
const char* ExplainTeacherCode(uint16_t code);

// The teacher event for a student request type, 0 when the type has none.
uint16_t EventForRequest(uint16_t requestType);

// The student commands that answer a log-on: the connection result, and for
// an accepted seat the hand-up and hand-in buttons and, when the teacher has a
// newer version, the program update.
CommandOutcome MapLogonReply(const LogonReplyBody& reply, uint32_t teacherAddress);

// Conditions the transport notices by itself.
enum class Condition {
    StudentSilent, // not heard for the heartbeat bound, or said goodbye
    StudentBack,   // heard again after it was reported off line
    StudentPerHost,
    StudentNewer,  // its VersionID is above the teacher's
    StudentOlder,  // its VersionID is below the teacher's
    TeacherLost,   // (student side) the teacher fell silent or closed
};

// The teacher event (0: none) and the student command (0: none) of a condition.
uint16_t EventForCondition(Condition condition);
uint16_t StudentCommandForCondition(Condition condition);

} // namespace kq::lectern
