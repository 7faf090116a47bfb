#include "framework/WinApp.h"

#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"
#include "framework/ModuleState.h"
#include "framework/ThreadState.h"
#include "framework/Wnd.h"

#include <cstdlib>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

// Profile texts longer than this are read again with a larger buffer.
constexpr DWORD kFirstProfileBuffer = 256;

std::string ModuleBaseName()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

// The text after the program name in the process's command line. The C
// runtime's own split takes CP936 bytes above 0x7F for blanks and loses a
// leading Chinese argument, so the line is cut here instead: the program
// name is quoted or ends at the first blank or tab.
LPSTR ArgumentsOf(LPSTR line)
{
    if (line == nullptr)
        return nullptr;
    if (*line == '"') {
        LPSTR end = std::strchr(line + 1, '"');
        line = end != nullptr ? end + 1 : line + std::strlen(line);
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    g_pApp = this;
    // The application object is built on the thread that runs it.
    m_nThreadID = ::GetCurrentThreadId();
    m_hThread = ::GetCurrentThread();
    m_ownsHandle = false;
    m_bAutoDelete = FALSE;
    m_hInstance = AfxGetInstanceHandle();

    const std::string base = ModuleBaseName();
    m_pszExeName = _strdup(base.c_str());
    m_pszAppName = _strdup(lpszAppName != nullptr ? lpszAppName : base.c_str());
    m_pszProfileName = _strdup((base + ".INI").c_str());
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    std::free(const_cast<LPSTR>(m_pszProfileName));
    std::free(const_cast<LPSTR>(m_pszAppName));
    std::free(const_cast<LPSTR>(m_pszExeName));
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    AfxDeleteTempMaps();
    return static_cast<int>(m_msgCur.wParam);
}

// ---------------------------------------------------------------- profile

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (lpszDefault == nullptr)
        lpszDefault = "";
    std::string buffer(kFirstProfileBuffer, '\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault,
                                                        buffer.data(),
                                                        static_cast<DWORD>(buffer.size()),
                                                        m_pszProfileName);
        // A full buffer means the text may have been cut: read it again.
        if (length + 2 < buffer.size())
            return CString(buffer.data(), static_cast<int>(length));
        buffer.assign(buffer.size() * 2, '\0');
    }
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    char text[16];
    wsprintfA(text, "%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, text);
}

// ---------------------------------------------------------------- resources

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const
{
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

// ---------------------------------------------------------------- documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate != nullptr)
        m_templates.push_back(pTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        LPCSTR pszParam = __argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

// ---------------------------------------------------------------- free functions

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        if (CWnd* pMainWnd = pThread->GetMainWnd())
            return pMainWnd;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pMainWnd : nullptr;
}

LPCSTR AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->m_pszAppName != nullptr ? pApp->m_pszAppName : "";
}

BOOL AfxIsDllModule()
{
    return AfxGetInstanceHandle() != ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = ArgumentsOf(::GetCommandLineA());
    pApp->m_nCmdShow = nCmdShow;
    AfxGetThreadState().pThread = pApp;
    AfxInstallMessageFilter();

    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        // A main window left behind by a failed start is closed; a pointer to
        // an object that no longer holds a window is left alone.
        if (CWnd* pMainWnd = pApp->m_pMainWnd; pMainWnd != nullptr &&
                                              AfxIsLiveWindowObject(pMainWnd))
            pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
