#include "joiner/GhostApp.h"

#include "common/AdapterAddress.h"
#include "common/DriveType.h"
#include "common/LogOffSurvival.h"
#include "common/PeerNames.h"
#include "joiner/GhostDoc.h"
#include "joiner/MainFrame.h"

namespace {

constexpr UINT kFrameResource = 128;
constexpr WORD kWinsockVersion = MAKEWORD(1, 1);

} // namespace

CKqGhostApp::~CKqGhostApp()
{
    if (m_mutex != nullptr)
        ::CloseHandle(m_mutex);
}

BOOL CKqGhostApp::InitInstance()
{
    m_mutex = ::CreateMutexA(nullptr, TRUE, kq::kJoinerMutex);
    if (m_mutex == nullptr || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (m_mutex != nullptr)
            ::CloseHandle(m_mutex);
        m_mutex = nullptr;
        return FALSE; // a joiner runs already: end without a word
    }
    // The open handle marks the running joiner; nobody waits on it.
    ::ReleaseMutex(m_mutex);
    AfxEnableControlContainer();

    WSADATA data;
    if (::WSAStartup(kWinsockVersion, &data) != 0)
        return FALSE;
    m_winsockStarted = true;

    kq::SurviveLogOffOnWindows98();
    // The program drive's type decides the adapter (off a fixed disk: any).
    kq::SetDriveTypeQuery(&kq::DriveType);
    m_nCmdShow = SW_HIDE;

    AddDocTemplate(new CSingleDocTemplate(kFrameResource, RUNTIME_CLASS(CKqGhostDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CKqGhostView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;
    m_frame = static_cast<CMainFrame*>(m_pMainWnd);
    m_pMainWnd->SetWindowText(kq::kJoinerTitle);
    return TRUE;
}

int CKqGhostApp::ExitInstance()
{
    if (m_frame != nullptr) {
        if (m_frame->m_hWnd != nullptr)
            m_frame->DestroyWindow();
        delete m_frame;
        m_frame = nullptr;
    }
    if (m_winsockStarted)
        ::WSACleanup();
    m_winsockStarted = false;
    return CWinApp::ExitInstance();
}
