#pragma once
// CKqGhostApp: the classroom joiner's application. One copy per PC (mutex
// "KqGhost", held open but not owned), Windows Sockets, and the hidden frame
// of a single-document template titled "KqGhost", by which the agent finds
// it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/Framework.h"

class CMainFrame;

class CKqGhostApp : public CWinApp {
public:
    CKqGhostApp() = default;
    ~CKqGhostApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_mutex = nullptr;
    bool m_winsockStarted = false;
    // The frame outlives its window: deleted here after the message loop.
    CMainFrame* m_frame = nullptr;
};
