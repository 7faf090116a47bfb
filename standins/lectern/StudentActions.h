#pragma once
// What the student side of the transport does by itself for a teacher's
// command: lock and unlock the screen, restart or power off the PC after the
// announced delay, start the channel receiver on a video channel and close
// it again. Runs on the host's user-interface thread.

#include <string>

#include "standins/lectern/CommandMap.h"
#include "standins/lectern/LockScreen.h"

namespace kq::lectern {

class StudentActions {
public:
    StudentActions() = default;
    ~StudentActions() { Release(); }
    StudentActions(const StudentActions&) = delete;
    StudentActions& operator=(const StudentActions&) = delete;

    void SetLockBackground(const std::string& path) { lockBackground_ = path; }

    // Carries out outcome.action (Relogon is the transport's, not done here).
    void Perform(const CommandOutcome& outcome, int seat);

    // Lifts the lock and cancels a pending restart or power-off.
    void Release();

    bool IsLocked() const { return lock_.IsShown(); }

private:
    void SchedulePower(bool restart, unsigned seconds);
    void StartChannel(const char* name, int seat);
    void EndChannel();

    LockScreen lock_;
    std::string lockBackground_;
};

} // namespace kq::lectern
