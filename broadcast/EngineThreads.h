#pragma once
// The engine's four threads besides the host's: the receive worker and the
// three user-interface threads (screen sender, cursor sender, viewer), with
// the handshake through which commands reach the latter.

#include "broadcast/ModeTable.h"
#include "broadcast/ThreadHandshake.h"

#include "framework/Framework.h"

class CEngineThreads {
public:
    // How long an export waits for a thread's command, and for a thread to
    // end at close before it is terminated.
    static constexpr DWORD kCommandTimeoutMs = 60000;
    static constexpr DWORD kEndTimeoutMs = 10000;

    CEngineThreads() = default;
    CEngineThreads(const CEngineThreads&) = delete;
    CEngineThreads& operator=(const CEngineThreads&) = delete;

    bool StartReceive();
    bool StartUiThread(MirageThread which);
    bool Exists(MirageThread which) const { return Slot(which).thread != nullptr; }
    void SetPriority(MirageThread which, int priority);

    // The named event every completion sets.
    void SetDoneEvent(HANDLE doneEvent);

    // Posts a command to a started thread and, when `wait` is set and the
    // caller is not that thread, waits for its completion (at most 60 s).
    // Nothing happens for a thread that was never started.
    void Command(MirageThread which, UINT message, bool wait);
    // Called by a thread's handler when the command of `sequence` is done.
    void Complete(MirageThread which, WPARAM sequence);

    // Ends the cursor, sender and viewer threads, then the receive thread;
    // each gets 10 s before it is terminated.
    void EndAll();

private:
    struct UiSlot {
        CWinThread* thread = nullptr;
        CThreadHandshake handshake;
    };
    UiSlot& Slot(MirageThread which) { return m_ui[static_cast<int>(which)]; }
    const UiSlot& Slot(MirageThread which) const { return m_ui[static_cast<int>(which)]; }
    void EndUiThread(MirageThread which, UINT quitMessage);

    UiSlot m_ui[3];
    HANDLE m_receive = nullptr;
};

CEngineThreads& EngineThreads();
