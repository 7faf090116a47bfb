#include "teacher/TeacherApp.h"

#include "common/ProgramFolder.h"
#include "teacher/SplashWnd.h"
#include "teacher/TeacherWnd.h"

#include "TeacherResources.h"

#include <objbase.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

CTeacherApp theApp;

} // namespace

BEGIN_MESSAGE_MAP(CTeacherApp, CWinApp)
    ON_COMMAND(CTeacherApp::kAboutCommand, OnAppAbout)
END_MESSAGE_MAP()

BOOL CTeacherApp::InitInstance()
{
    // A second copy ends silently.
    m_instanceMutex = ::CreateMutexA(nullptr, FALSE, kMutexName);
    if (m_instanceMutex == nullptr || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;

    ::CoInitialize(nullptr);

    m_resources = ::LoadLibraryA(kResourceModule);
    if (m_resources == nullptr) {
        ::MessageBoxA(nullptr, "没有发现资源文件resource.dll", nullptr, MB_OK);
        return FALSE;
    }
    AfxSetResourceHandle(m_resources);
    m_icon = ::LoadIconA(m_resources, MAKEINTRESOURCEA(TeacherRes::IDI_PROGRAM));

    WSADATA winsock = {};
    ::WSAStartup(kWinsockVersion, &winsock);

    // The splash reads its picture through this profile.
    std::free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = _strdup((kq::GetProgramFolder() + "Teacher.ini").c_str());

    CSplashWnd::SetSplashEnabled(TRUE);

    m_mainWindow = new CTeacherWnd;
    m_pMainWnd = m_mainWindow; // before the creation, so its failures can close it
    if (!m_mainWindow->CreateMainWindow()) {
        delete m_mainWindow;
        m_mainWindow = nullptr;
        m_pMainWnd = nullptr;
        return FALSE;
    }
    m_mainWindow->SetWindowText(CTeacherWnd::kTitle);
    if (CSplashWnd::Current() != nullptr)
        CSplashWnd::HideSplash();
    if (m_mainWindow->GetSafeHwnd() == nullptr)
        return TRUE; // already gone: the quit message is on its way
    m_mainWindow->ShowWindow(SW_SHOWNORMAL);
    m_mainWindow->CentreOnScreen();
    m_mainWindow->UpdateWindow();
    return TRUE;
}

BOOL CTeacherApp::PreTranslateMessage(MSG* msg)
{
    if (CSplashWnd::RelayAppMessage(msg))
        return TRUE;
    return CWinApp::PreTranslateMessage(msg);
}

int CTeacherApp::ExitInstance()
{
    ::CoUninitialize();
    if (m_mainWindow != nullptr) {
        if (m_mainWindow->GetSafeHwnd() != nullptr)
            m_mainWindow->DestroyWindow();
        delete m_mainWindow;
        m_mainWindow = nullptr;
        m_pMainWnd = nullptr;
    }
    if (m_resources != nullptr) {
        ::FreeLibrary(m_resources);
        m_resources = nullptr;
    }
    return CWinApp::ExitInstance();
}

void CTeacherApp::OnAppAbout()
{
    CDialog about(TeacherRes::IDD_ABOUT);
    about.DoModal();
}
