#pragma once
// CWinThread: a thread run by the library, either a worker (a function) or a
// user-interface thread (a class with InitInstance, a message loop and a
// message map for thread messages, ON_THREAD_MESSAGE).
//
// The message loop of every thread, and the library's modal loops, hand each
// message to AfxPreTranslateMessage: PreTranslateMessage of the target window
// and each parent up to its top-level window, then the thread object (which
// runs thread messages through its map), then IsDialogMessage when the
// target sits in a dialog. A message-filter hook does the thread-message part
// inside the system's own modal loops (message boxes, menus, window moves),
// so thread messages are never lost there.

#include "framework/CmdTarget.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    // A worker: CreateThread runs pfnThreadProc(pParam).
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Closes the thread handle.
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    // The object deletes itself when its thread ends.
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    LPVOID m_pThreadParams = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;

    operator HANDLE() const { return m_hThread; }

    // Starts the thread; its message queue exists when this returns, so
    // PostThreadMessage works at once (also with CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD SuspendThread();
    DWORD ResumeThread();
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance();
    // The thread's exit code (the WM_QUIT code for a message loop).
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual void Delete();

    // Runs a thread message (no window) through this object's map.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

protected:
    MSG m_msgCur = {};
    // False for the application object, whose thread the system started.
    bool m_ownsHandle = true;

private:
    friend unsigned __stdcall AfxThreadEntry(void* pStartup);
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread at once (no destructors of its stack run).
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The CWinThread of the calling thread (the application on its thread).
CWinThread* AfxGetThread();
// The pump's chain for one message; TRUE when something consumed it.
BOOL AfxPreTranslateMessage(MSG* pMsg);
// Installs the calling thread's message-filter hook (once).
void AfxInstallMessageFilter();
