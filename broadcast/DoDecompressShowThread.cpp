#include "broadcast/DoDecompressShowThread.h"

#include "broadcast/EngineThreads.h"
#include "broadcast/MirageMessageIds.h"

namespace {
constexpr WORD kWinsock11 = MAKEWORD(1, 1);
} // namespace

IMPLEMENT_DYNCREATE(DoDecompressShowThread, CWinThread)

BEGIN_MESSAGE_MAP(DoDecompressShowThread, CWinThread)
    ON_THREAD_MESSAGE(MT_OPEN_VIEWER, OnOpenViewer)
    ON_THREAD_MESSAGE(MT_CLOSE_VIEWER, OnCloseViewer)
    ON_THREAD_MESSAGE(MT_QUIT_VIEWER, OnQuit)
END_MESSAGE_MAP()

BOOL DoDecompressShowThread::InitInstance()
{
    WSADATA data;
    m_socketsStarted = WSAStartup(kWinsock11, &data) == 0;
    return TRUE;
}

int DoDecompressShowThread::ExitInstance()
{
    if (m_socketsStarted)
        WSACleanup();
    return CWinThread::ExitInstance();
}

void DoDecompressShowThread::OnOpenViewer(WPARAM sequence, LPARAM)
{
    m_open = true;
    // Acknowledged whatever the outcome, so that no export waits its full time.
    EngineThreads().Complete(MirageThread::Viewer, sequence);
}

void DoDecompressShowThread::OnCloseViewer(WPARAM sequence, LPARAM)
{
    m_open = false;
    EngineThreads().Complete(MirageThread::Viewer, sequence);
}

void DoDecompressShowThread::OnQuit(WPARAM, LPARAM)
{
    PostQuitMessage(0);
}
