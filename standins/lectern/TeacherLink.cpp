#include "standins/lectern/TeacherLink.h"

namespace kq::lectern {

bool TeacherLink::OnTeacherHeard(uint32_t address, uint32_t session, uint64_t now)
{
    if (session == departedSession_)
        return false;
    if (state_ != State::Searching) {
        // Another teacher on the same group is ignored while ours is alive.
        if (session == teacherSession_)
            lastHeard_ = now;
        return false;
    }
    if (session != teacherSession_)
        commands_.Reset();
    lossPending_ = false; // a teacher is back before the goodbye counted
    teacherSession_ = session;
    teacherAddress_ = address;
    lastHeard_ = now;
    RequestRelogon();
    return true;
}

bool TeacherLink::AcceptCommand(uint32_t session, uint32_t sequence)
{
    return IsFollowed(session) && commands_.Accept(sequence);
}

bool TeacherLink::OnLogonReply(uint32_t session, uint32_t mySession, const LogonReplyBody& reply, uint64_t now)
{
    if (!IsFollowed(session) || state_ != State::LoggingOn || reply.studentSession != mySession ||
        reply.attempt != attempt_)
        return false;
    if (reply.result >= 1) {
        state_ = State::LoggedOn;
        seat_ = reply.result;
        lastHeartbeatSent_ = now;
    } else {
        state_ = State::Refused;
        seat_ = 0;
    }
    return true;
}

void TeacherLink::RequestRelogon()
{
    if (state_ == State::Searching && teacherSession_ == 0)
        return;
    ++attempt_;
    state_ = State::LoggingOn;
    seat_ = 0;
    logonSent_ = false;
}

void TeacherLink::OnTeacherBye(uint32_t session, uint64_t now)
{
    if (!IsFollowed(session))
        return;
    lossPending_ = state_ == State::LoggedOn;
    leftAt_ = now;
    departedSession_ = session;
    Lose();
}

void TeacherLink::Lose()
{
    state_ = State::Searching;
    seat_ = 0;
}

TeacherLink::Due TeacherLink::Tick(uint64_t now, const Timing& timing)
{
    Due due;
    if (state_ == State::Searching) {
        if (lossPending_ && now - leftAt_ > timing.teacherLostMs) {
            lossPending_ = false;
            due.teacherLost = true;
        }
        return due;
    }
    if (now - lastHeard_ > timing.teacherLostMs) {
        due.teacherLost = state_ == State::LoggedOn;
        Lose();
        return due;
    }
    if (state_ == State::LoggingOn && (!logonSent_ || now - lastLogonSent_ >= timing.logonRetryMs)) {
        due.sendLogon = true;
        logonSent_ = true;
        lastLogonSent_ = now;
    } else if (state_ == State::LoggedOn && now - lastHeartbeatSent_ >= timing.heartbeatMs) {
        due.sendHeartbeat = true;
        lastHeartbeatSent_ = now;
    }
    return due;
}

bool TeacherLink::IsTargeted(const CommandBody& command) const
{
    if (state_ != State::LoggedOn || seat_ <= 0)
        return false;
    if (command.targetCount == 0)
        return true;
    for (uint16_t i = 0; i < command.targetCount && i < kMaxTargetSeats; ++i) {
        if (command.targets[i] == seat_)
            return true;
    }
    return false;
}

} // namespace kq::lectern
