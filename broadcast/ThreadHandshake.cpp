#include "broadcast/ThreadHandshake.h"

CThreadHandshake::CThreadHandshake()
{
    InitializeSRWLock(&m_lock);
    InitializeConditionVariable(&m_completed);
}

bool CThreadHandshake::PostAndWait(DWORD threadId, UINT message, bool wait, DWORD timeoutMs)
{
    if (m_doneEvent != nullptr)
        ResetEvent(m_doneEvent);

    // Numbers are taken and posted under the lock, so the thread sees them in
    // rising order and one completion acknowledges every earlier command too.
    AcquireSRWLockExclusive(&m_lock);
    const uint64_t sequence = ++m_lastPosted;
    const bool posted = PostThreadMessageA(threadId, message, static_cast<WPARAM>(sequence), 0) != FALSE;
    if (!posted)
        --m_lastPosted;

    bool done = posted && !wait;
    if (posted && wait) {
        const DWORD start = GetTickCount();
        while (m_lastCompleted < sequence) {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs)
                break;
            SleepConditionVariableSRW(&m_completed, &m_lock, timeoutMs - elapsed, 0);
        }
        done = m_lastCompleted >= sequence;
    }
    ReleaseSRWLockExclusive(&m_lock);

    if (m_doneEvent != nullptr)
        ResetEvent(m_doneEvent);
    return done;
}

void CThreadHandshake::Complete(WPARAM sequence)
{
    AcquireSRWLockExclusive(&m_lock);
    if (sequence > m_lastCompleted && sequence <= m_lastPosted)
        m_lastCompleted = sequence;
    ReleaseSRWLockExclusive(&m_lock);
    WakeAllConditionVariable(&m_completed);
    if (m_doneEvent != nullptr)
        SetEvent(m_doneEvent);
}
