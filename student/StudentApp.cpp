#include "student/StudentApp.h"

#include "common/LogOffSurvival.h"
#include "common/PeerNames.h"
#include "student/MainFrame.h"
#include "student/StudentDoc.h"

namespace {

constexpr char kResourceModule[] = "Satchel.dll";
constexpr char kResourceMissing[] = "Can not load the Satchel.dll ";
constexpr UINT kFrameResource = 128;

} // namespace

CStudentApp theApp;

CStudentApp::~CStudentApp()
{
    if (m_mutex != nullptr) {
        ::ReleaseMutex(m_mutex);
        ::CloseHandle(m_mutex);
    }
}

BOOL CStudentApp::InitInstance()
{
    m_mutex = ::CreateMutexA(nullptr, TRUE, kq::kAgentMutex);
    if (m_mutex == nullptr || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        // The running copy keeps the mutex; this one ends without a word.
        if (m_mutex != nullptr)
            ::CloseHandle(m_mutex);
        m_mutex = nullptr;
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControls();

    m_resources = ::LoadLibraryA(kResourceModule);
    if (m_resources == nullptr) {
        AfxMessageBox(kResourceMissing);
        return FALSE;
    }
    AfxSetResourceHandle(m_resources);

    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return FALSE;
    m_winsockStarted = true;

    kq::SurviveLogOffOnWindows98();
    m_nCmdShow = SW_HIDE;

    AddDocTemplate(new CSingleDocTemplate(kFrameResource, RUNTIME_CLASS(CStudentDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CStudentView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;
    m_frame = static_cast<CMainFrame*>(m_pMainWnd);
    m_pMainWnd->SetWindowText(kq::kAgentTitle);
    return TRUE;
}

int CStudentApp::ExitInstance()
{
    if (m_frame != nullptr) {
        if (m_frame->m_hWnd != nullptr)
            m_frame->DestroyWindow();
        delete m_frame;
        m_frame = nullptr;
    }
    if (m_resources != nullptr) {
        AfxSetResourceHandle(AfxGetInstanceHandle());
        ::FreeLibrary(m_resources);
        m_resources = nullptr;
    }
    if (m_winsockStarted)
        ::WSACleanup();
    m_winsockStarted = false;
    return CWinApp::ExitInstance();
}
