#pragma once
// The student side's view of the teacher: which teacher it follows (the
// first one heard, until that one falls silent or says goodbye), the state of
// its log-on, its seat number, which commands it already took, and when the
// next log-on or heartbeat is due.

#include <cstdint>

#include "standins/lectern/ReplayWindow.h"
#include "standins/lectern/Timing.h"
#include "standins/lectern/Wire.h"

namespace kq::lectern {

class TeacherLink {
public:
    enum class State {
        Searching, // no teacher heard
        LoggingOn, // sending log-ons until the answer comes
        LoggedOn,  // accepted under a seat number
        Refused,   // the teacher refused the seat; waits for a new log-on
    };

    // Any valid teacher datagram. True when it starts a new log-on: the first
    // teacher heard, or the same teacher back after it was lost.
    bool OnTeacherHeard(uint32_t address, uint32_t session, uint64_t now);

    // True when the datagram comes from the followed teacher.
    bool IsFollowed(uint32_t session) const { return state_ != State::Searching && session == teacherSession_; }

    // True the first time a command sequence of the followed teacher arrives.
    bool AcceptCommand(uint32_t session, uint32_t sequence);

    // True when the reply answers the current log-on; the state is then
    // LoggedOn (result >= 1) or Refused.
    bool OnLogonReply(uint32_t session, uint32_t mySession, const LogonReplyBody& reply, uint64_t now);

    // Logs on again (the teacher asked for it), when a teacher is followed.
    void RequestRelogon();

    // The followed teacher said goodbye. Unless a teacher is heard again
    // within the lost bound (a restart), Tick then reports it lost.
    void OnTeacherBye(uint32_t session, uint64_t now);

    struct Due {
        bool sendLogon = false;
        bool sendHeartbeat = false;
        bool teacherLost = false; // the teacher fell silent or left while logged on
    };
    Due Tick(uint64_t now, const Timing& timing);

    // Whether a command reaches this PC: logged on, and the class or its seat addressed.
    bool IsTargeted(const CommandBody& command) const;

    State state() const { return state_; }
    int32_t seat() const { return seat_; }
    uint32_t attempt() const { return attempt_; }
    uint32_t teacherAddress() const { return teacherAddress_; }

private:
    void Lose();

    State state_ = State::Searching;
    uint32_t teacherSession_ = 0;
    uint32_t teacherAddress_ = 0;
    uint64_t lastHeard_ = 0;
    uint32_t attempt_ = 0;
    int32_t seat_ = 0;
    bool logonSent_ = false;
    uint64_t lastLogonSent_ = 0;
    uint64_t lastHeartbeatSent_ = 0;
    uint32_t departedSession_ = 0; // late datagrams of a teacher that left are ignored
    bool lossPending_ = false;     // said goodbye while logged on
    uint64_t leftAt_ = 0;
    ReplayWindow commands_;
};

} // namespace kq::lectern
