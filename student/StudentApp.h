#pragma once
// CStudentApp: the student agent's application. One copy per PC (mutex
// "KqStudent"), Satchel.dll as the resource module, Winsock, and the hidden
// frame of a single-document template.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/Framework.h"

class CMainFrame;

class CStudentApp : public CWinApp {
public:
    CStudentApp() = default;
    // Releases the mutex.
    ~CStudentApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_mutex = nullptr;
    HMODULE m_resources = nullptr;
    bool m_winsockStarted = false;
    // The frame outlives its window: deleted here after the message loop.
    CMainFrame* m_frame = nullptr;
};
