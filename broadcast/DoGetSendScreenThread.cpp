#include "broadcast/DoGetSendScreenThread.h"

#include "broadcast/EngineThreads.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/SendScreenWnd.h"

IMPLEMENT_DYNCREATE(DoGetSendScreenThread, CWinThread)

BEGIN_MESSAGE_MAP(DoGetSendScreenThread, CWinThread)
    ON_THREAD_MESSAGE(MT_START_SENDER, OnCreateSender)
    ON_THREAD_MESSAGE(MT_STOP_SENDER, OnDestroySender)
    ON_THREAD_MESSAGE(MT_QUIT_SENDER, OnQuit)
END_MESSAGE_MAP()

BOOL DoGetSendScreenThread::InitInstance()
{
    m_winsock.Start(CWinsockUse::kVersion11);
    return TRUE;
}

int DoGetSendScreenThread::ExitInstance()
{
    m_winsock.Stop();
    return CWinThread::ExitInstance();
}

void DoGetSendScreenThread::OnCreateSender(WPARAM sequence, LPARAM)
{
    SendScreenWnd().CreateSender(); // without a window nothing is sent
    m_open = true;
    // Acknowledged whatever the outcome, so that no export waits its full time.
    EngineThreads().Complete(MirageThread::Sender, sequence);
}

void DoGetSendScreenThread::OnDestroySender(WPARAM sequence, LPARAM)
{
    if (m_open)
        SendScreenWnd().DestroySender();
    m_open = false;
    EngineThreads().Complete(MirageThread::Sender, sequence);
}

void DoGetSendScreenThread::OnQuit(WPARAM, LPARAM)
{
    PostQuitMessage(0);
}
