#include "deskedit/KqDeskContralApp.h"

#include "deskedit/KqDeskContralDoc.h"
#include "deskedit/MainFrame.h"

namespace {

constexpr char kMutexName[] = "PreventSecondInstance";
constexpr UINT kDocumentTemplate = 128;

} // namespace

CKqDeskContralApp theApp;

CKqDeskContralApp::~CKqDeskContralApp()
{
    if (m_mutex != nullptr)
        ::CloseHandle(m_mutex);
}

BOOL CKqDeskContralApp::InitInstance()
{
    m_mutex = ::CreateMutexA(nullptr, TRUE, kMutexName);
    if (m_mutex == nullptr || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (m_mutex != nullptr)
            ::CloseHandle(m_mutex);
        m_mutex = nullptr;
        return FALSE; // a copy runs already: nothing to do
    }
    // Only its existence matters: the handle stays open for the process's life.
    ::ReleaseMutex(m_mutex);

    AfxEnableControlContainer();
    Enable3dControls();
    m_nCmdShow = SW_HIDE;
    AddDocTemplate(new CSingleDocTemplate(kDocumentTemplate, RUNTIME_CLASS(CKqDeskContralDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CKqDeskContralView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    return ProcessShellCommand(commandLine);
}
