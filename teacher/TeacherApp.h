#pragma once
// CTeacherApp: the teacher program. One copy runs at a time; it loads the
// resource module, starts COM and Windows Sockets and creates the main
// window, which brings the station up.

#include "framework/Framework.h"

class CTeacherWnd;

class CTeacherApp : public CWinApp {
public:
    CTeacherApp() = default;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    int ExitInstance() override;

    static constexpr const char* kMutexName = "KQTutorium";
    static constexpr const char* kResourceModule = "resource.dll";
    static constexpr UINT kAboutCommand = 57664;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnAppAbout();

private:
    HANDLE m_instanceMutex = nullptr;
    HICON m_icon = nullptr;
    HMODULE m_resources = nullptr;
    CTeacherWnd* m_mainWindow = nullptr;
};
