#include "channels/CastviewApp.h"

#include "channels/CastviewDlg.h"
#include "channels/PlayerHandOff.h"

namespace {

constexpr UINT kSocketsFailedText = 103;
constexpr UINT kTitleText = 130;
constexpr UINT kMutexText = 131;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CCastviewApp theApp;

BEGIN_MESSAGE_MAP(CCastviewApp, CWinApp)
    ON_THREAD_MESSAGE(CCastviewApp::kShowOrCloseMessage, OnShowOrClose)
END_MESSAGE_MAP()

BOOL CCastviewApp::InitInstance()
{
    if (CPlayerHandOff::PlayerRuns())
        return FALSE; // a player runs already: nothing to do
    if (!AfxSocketInit()) {
        AfxMessageBox(Text(kSocketsFailedText));
        return FALSE;
    }
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, Text(kMutexText));
    if (mutex == nullptr || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutex != nullptr)
            ::CloseHandle(mutex);
        ShowFirstCopy();
        return FALSE;
    }

    CCastviewDlg dialog(m_lpCmdLine);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
    return FALSE; // the dialog was the program
}

void CCastviewApp::ShowFirstCopy()
{
    HWND first = ::FindWindowA(nullptr, Text(kTitleText));
    if (first == nullptr)
        return;
    if (::IsIconic(first))
        ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(first);
    ::SetForegroundWindow(::GetLastActivePopup(first));
}

void CCastviewApp::OnShowOrClose(WPARAM, LPARAM)
{
    if (m_pMainWnd == nullptr || m_pMainWnd->GetSafeHwnd() == nullptr)
        return;
    if (m_lpCmdLine != nullptr && m_lpCmdLine[0] != '\0')
        m_pMainWnd->PostMessage(WM_CLOSE, 0, 0);
    else
        m_pMainWnd->ShowWindow(SW_SHOW);
}
