#pragma once
// The viewer thread of the engine: a user-interface thread that owns what a
// receiving station shows (the decoder window, the views, the record bar).
// The exports command it with thread messages; each open and close is
// acknowledged when done, also when it found nothing to do.

#include "framework/Framework.h"
#include "framework/WinsockUse.h"

class DoDecompressShowThread : public CWinThread {
    DECLARE_DYNCREATE(DoDecompressShowThread)
public:
    DoDecompressShowThread() = default;

    // Starts Windows Sockets 1.1 for the thread; the thread runs either way.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // True between the start command and the stop command.
    bool IsOpen() const { return m_open; }

protected:
    void OnOpenViewer(WPARAM sequence, LPARAM);
    void OnCloseViewer(WPARAM sequence, LPARAM);
    void OnQuit(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CWinsockUse m_winsock; // from InitInstance to ExitInstance
    bool m_open = false;
};
