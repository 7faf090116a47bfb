#include "broadcast/DoGetSendMouseThread.h"

#include "broadcast/EngineThreads.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/SendMouseWnd.h"

IMPLEMENT_DYNCREATE(DoGetSendMouseThread, CWinThread)

BEGIN_MESSAGE_MAP(DoGetSendMouseThread, CWinThread)
    ON_THREAD_MESSAGE(MT_START_CURSOR, OnStartCursor)
    ON_THREAD_MESSAGE(MT_STOP_CURSOR, OnStopCursor)
    ON_THREAD_MESSAGE(MT_QUIT_CURSOR, OnQuit)
END_MESSAGE_MAP()

BOOL DoGetSendMouseThread::InitInstance()
{
    m_winsock.Start(CWinsockUse::kVersion11);
    return TRUE;
}

int DoGetSendMouseThread::ExitInstance()
{
    m_winsock.Stop();
    return CWinThread::ExitInstance();
}

void DoGetSendMouseThread::OnStartCursor(WPARAM sequence, LPARAM)
{
    SendMouseWnd().Start();
    m_open = true;
    // Acknowledged whatever the outcome, so that no export waits its full time.
    EngineThreads().Complete(MirageThread::Cursor, sequence);
}

void DoGetSendMouseThread::OnStopCursor(WPARAM sequence, LPARAM)
{
    if (m_open)
        SendMouseWnd().Stop();
    m_open = false;
    EngineThreads().Complete(MirageThread::Cursor, sequence);
}

void DoGetSendMouseThread::OnQuit(WPARAM, LPARAM)
{
    PostQuitMessage(0);
}
