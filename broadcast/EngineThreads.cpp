#include "broadcast/EngineThreads.h"

#include "broadcast/DoDecompressShowThread.h"
#include "broadcast/DoGetSendMouseThread.h"
#include "broadcast/DoGetSendScreenThread.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ReceiveThread.h"

namespace {

CRuntimeClass* RuntimeClassOf(MirageThread which)
{
    switch (which) {
    case MirageThread::Sender:
        return RUNTIME_CLASS(DoGetSendScreenThread);
    case MirageThread::Cursor:
        return RUNTIME_CLASS(DoGetSendMouseThread);
    case MirageThread::Viewer:
        return RUNTIME_CLASS(DoDecompressShowThread);
    }
    return nullptr;
}

// Waits for a thread to end; terminates it when it does not in time.
void EndThread(HANDLE thread, DWORD timeoutMs)
{
    if (WaitForSingleObject(thread, timeoutMs) != WAIT_OBJECT_0)
        TerminateThread(thread, 0);
}

} // namespace

CEngineThreads& EngineThreads()
{
    static CEngineThreads threads;
    return threads;
}

bool CEngineThreads::StartReceive()
{
    m_receive = CreateThread(nullptr, 0, CReceiveThread::ThreadProc, nullptr, 0, nullptr);
    return m_receive != nullptr;
}

bool CEngineThreads::StartUiThread(MirageThread which)
{
    CWinThread* thread = AfxBeginThread(RuntimeClassOf(which), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr)
        return false;
    thread->m_bAutoDelete = FALSE; // the engine waits on its handle at close
    thread->ResumeThread();
    Slot(which).thread = thread;
    return true;
}

void CEngineThreads::SetPriority(MirageThread which, int priority)
{
    if (CWinThread* thread = Slot(which).thread)
        thread->SetThreadPriority(priority);
}

void CEngineThreads::SetDoneEvent(HANDLE doneEvent)
{
    for (UiSlot& slot : m_ui)
        slot.handshake.SetDoneEvent(doneEvent);
}

void CEngineThreads::Command(MirageThread which, UINT message, bool wait)
{
    UiSlot& slot = Slot(which);
    if (slot.thread == nullptr)
        return;
    const bool ownThread = slot.thread->m_nThreadID == GetCurrentThreadId();
    slot.handshake.PostAndWait(slot.thread->m_nThreadID, message, wait && !ownThread, kCommandTimeoutMs);
}

void CEngineThreads::Complete(MirageThread which, WPARAM sequence)
{
    Slot(which).handshake.Complete(sequence);
}

void CEngineThreads::EndUiThread(MirageThread which, UINT quitMessage)
{
    UiSlot& slot = Slot(which);
    if (slot.thread == nullptr)
        return;
    slot.thread->PostThreadMessage(quitMessage, 0, 0);
    EndThread(slot.thread->m_hThread, kEndTimeoutMs);
    delete slot.thread;
    slot.thread = nullptr;
}

void CEngineThreads::EndAll()
{
    EndUiThread(MirageThread::Cursor, MT_QUIT_CURSOR);
    EndUiThread(MirageThread::Sender, MT_QUIT_SENDER);
    EndUiThread(MirageThread::Viewer, MT_QUIT_VIEWER);
    if (m_receive != nullptr) {
        EndThread(m_receive, kEndTimeoutMs);
        CloseHandle(m_receive);
        m_receive = nullptr;
    }
    SetDoneEvent(nullptr);
}
