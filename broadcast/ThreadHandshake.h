#pragma once
// The handshake by which the engine hands a command to one of its
// user-interface threads and waits until that command is done.
//
// Every command posted to a thread carries a sequence number in wParam; the
// thread's handler acknowledges that number when it is done. A wait ends only
// when its own command was acknowledged (or its time is up), never on the
// completion of another command. The named event "MIRAGEWNDOK" is still set by
// every completion and reset around every wait, as the engine always did.

#include "framework/Framework.h"

#include <cstdint>

class CThreadHandshake {
public:
    CThreadHandshake();
    CThreadHandshake(const CThreadHandshake&) = delete;
    CThreadHandshake& operator=(const CThreadHandshake&) = delete;

    // The named event set by every completion (may be null).
    void SetDoneEvent(HANDLE doneEvent) { m_doneEvent = doneEvent; }

    // Resets the event, posts `message` to the thread and, when `wait` is
    // set, waits up to `timeoutMs` for its completion; resets the event.
    // Returns false when the message could not be posted or the wait timed out.
    bool PostAndWait(DWORD threadId, UINT message, bool wait, DWORD timeoutMs);

    // Called by the thread's handler with the wParam of the command it did.
    void Complete(WPARAM sequence);

private:
    SRWLOCK m_lock;
    CONDITION_VARIABLE m_completed;
    uint64_t m_lastPosted = 0;   // sequence numbers in posting order
    uint64_t m_lastCompleted = 0;
    HANDLE m_doneEvent = nullptr;
};
