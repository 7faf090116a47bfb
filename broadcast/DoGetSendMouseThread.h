#pragma once
// The cursor sender thread of the engine: a user-interface thread that owns
// the cursor window ("DoSendMouseWnd"), which multicasts the cursor's position
// and shape. The exports command it with thread messages; each start and
// stop is acknowledged when done, also when it found nothing to do.

#include "framework/Framework.h"
#include "framework/WinsockUse.h"

class DoGetSendMouseThread : public CWinThread {
    DECLARE_DYNCREATE(DoGetSendMouseThread)
public:
    DoGetSendMouseThread() = default;

    // Starts Windows Sockets 1.1 for the thread; the thread runs either way.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // True between the start command and the stop command.
    bool IsOpen() const { return m_open; }

protected:
    void OnStartCursor(WPARAM sequence, LPARAM);
    void OnStopCursor(WPARAM sequence, LPARAM);
    void OnQuit(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CWinsockUse m_winsock; // from InitInstance to ExitInstance
    bool m_open = false;
};
