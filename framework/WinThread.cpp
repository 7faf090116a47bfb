#include "framework/WinThread.h"

#include "framework/DoubleByteInput.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr && m_ownsHandle)
        ::CloseHandle(m_hThread);
    AfxThreadState& state = AfxGetThreadState();
    if (state.pThread == this)
        state.pThread = nullptr;
}

// ---------------------------------------------------------------- start-up

namespace {

struct ThreadStartup {
    CWinThread* pThread;
    HANDLE hStarted; // set by the new thread once its queue exists
    HANDLE hGo;      // set by the creator once the object is complete
};

} // namespace

unsigned __stdcall AfxThreadEntry(void* pParam)
{
    auto* startup = static_cast<ThreadStartup*>(pParam);
    CWinThread* pThread = startup->pThread;
    HANDLE hGo = startup->hGo;
    AfxGetThreadState().pThread = pThread;
    MSG msg;
    ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // makes the queue
    ::SetEvent(startup->hStarted); // `startup` is the creator's again from here
    ::WaitForSingleObject(hGo, INFINITE);
    ::CloseHandle(hGo);

    int exitCode = 0;
    if (pThread->m_pfnThreadProc != nullptr) {
        exitCode = static_cast<int>(pThread->m_pfnThreadProc(pThread->m_pThreadParams));
    } else {
        AfxInstallMessageFilter();
        if (pThread->InitInstance())
            exitCode = pThread->Run();
        else
            exitCode = pThread->ExitInstance();
    }
    AfxDeleteTempMaps();
    AfxGetThreadState().pThread = nullptr;
    pThread->Delete();
    AfxFreeThreadState();
    return static_cast<unsigned>(exitCode);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr)
        return FALSE;
    ThreadStartup startup = {this, ::CreateEventA(nullptr, TRUE, FALSE, nullptr),
                             ::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    if (startup.hStarted == nullptr || startup.hGo == nullptr) {
        if (startup.hStarted != nullptr)
            ::CloseHandle(startup.hStarted);
        if (startup.hGo != nullptr)
            ::CloseHandle(startup.hGo);
        return FALSE;
    }
    unsigned threadId = 0;
    auto handle = _beginthreadex(lpSecurityAttrs, nStackSize, AfxThreadEntry, &startup, 0,
                                 &threadId);
    if (handle == 0) {
        ::CloseHandle(startup.hStarted);
        ::CloseHandle(startup.hGo);
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    m_ownsHandle = true;
    ::WaitForSingleObject(startup.hStarted, INFINITE);
    ::CloseHandle(startup.hStarted);
    // A suspended thread stops before it runs any of the object's code.
    if ((dwCreateFlags & CREATE_SUSPENDED) != 0)
        ::SuspendThread(m_hThread);
    ::SetEvent(startup.hGo); // the thread closes it
    return TRUE;
}

DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr)
        return m_pActiveWnd;
    return m_pMainWnd;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

// ---------------------------------------------------------------- message loop

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    for (;;) {
        MSG peek;
        LONG idleCount = 0;
        while (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(idleCount++)) {
        }
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinThread::PumpMessage()
{
    const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE; // WM_QUIT
    if (got < 0)
        return TRUE;
    if (!AfxPreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG)
{
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return pMsg->hwnd == nullptr && DispatchThreadMessageEx(pMsg);
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    AfxMsgCall call = {pMsg->message, pMsg->wParam, pMsg->lParam, 0, 0};
    return DispatchMessageMap(pMsg->message, 0, 0, call);
}

namespace {

// The dialog (outermost, up to the top-level window) that holds `hWnd`.
HWND DialogOf(HWND hWnd)
{
    HWND hDialog = nullptr;
    for (HWND h = hWnd; h != nullptr; h = ::GetParent(h)) {
        char className[16] = {};
        ::GetClassNameA(h, className, sizeof(className));
        if (lstrcmpA(className, "#32770") == 0)
            hDialog = h;
        if ((::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return hDialog;
}

} // namespace

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (kq::JoinDoubleByteChar(*pMsg))
        return TRUE;
    for (HWND h = pMsg->hwnd; h != nullptr && ::IsWindow(h); h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!::IsWindow(h) || (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->PreTranslateMessage(pMsg))
        return TRUE;
    // A thread message this module does not know may belong to another
    // module's copy of the library on this thread (a DLL's loop running for
    // its host, or the other way round): their message filters get it.
    if (pMsg->hwnd == nullptr)
        return ::CallMsgFilterA(pMsg, MSGF_DIALOGBOX);
    if (::IsWindow(pMsg->hwnd)) {
        HWND hDialog = DialogOf(pMsg->hwnd);
        if (hDialog != nullptr && ::IsDialogMessageA(hDialog, pMsg))
            return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- thread messages in system loops

namespace {

LRESULT CALLBACK MsgFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    if (code >= 0 && lParam != 0) {
        MSG* pMsg = reinterpret_cast<MSG*>(lParam);
        CWinThread* pThread = AfxGetThread();
        if (pMsg->hwnd == nullptr && pThread != nullptr && pThread->DispatchThreadMessageEx(pMsg))
            return TRUE;
    }
    return ::CallNextHookEx(state.hMsgFilterHook, code, wParam, lParam);
}

} // namespace

void AfxInstallMessageFilter()
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.hMsgFilterHook == nullptr) {
        state.hMsgFilterHook = ::SetWindowsHookExA(WH_MSGFILTER, MsgFilterHook, nullptr,
                                                   ::GetCurrentThreadId());
    }
}

// ---------------------------------------------------------------- free functions

CWinThread* AfxGetThread()
{
    if (CWinThread* pThread = AfxGetThreadState().pThread)
        return pThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return nullptr;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CObject* pObject = pThreadClass->CreateObject();
    auto* pThread = dynamic_cast<CWinThread*>(pObject);
    if (pThread == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    AfxThreadState& state = AfxGetThreadState();
    CWinThread* pThread = state.pThread;
    AfxDeleteTempMaps();
    state.pThread = nullptr;
    if (pThread != nullptr && bDelete)
        pThread->Delete();
    AfxFreeThreadState();
    _endthreadex(nExitCode);
}
