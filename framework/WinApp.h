#pragma once
// CWinApp: the one application object of a module (a program or a DLL).
//
// In a program the library's WinMain runs InitInstance and then the message
// loop (Run) until WM_QUIT; ExitInstance gives the exit code. In a DLL the
// library's DllMain runs InitInstance when the DLL is loaded and
// ExitInstance when it is unloaded; there is no message loop of its own.
//
// The profile calls read and write the private ini file m_pszProfileName.
// The m_psz texts are malloc'ed and freed by the destructor: to change one,
// free the old text and assign a malloc'ed copy (_strdup).

#include "framework/String.h"
#include "framework/WinThread.h"

#include <vector>

class CCommandLineInfo;
class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;

    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    // A null entry removes the section; a null value removes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);

    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    // The 3-D control look is the system's own: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // Single-document support: the application owns its templates.
    void AddDocTemplate(CDocTemplate* pTemplate);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual void OnFileNew();
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);

private:
    std::vector<CDocTemplate*> m_templates;
};

// This module's application object, or null.
CWinApp* AfxGetApp();
// The main window of the calling thread, else the application's.
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
// TRUE in a DLL's copy of the library.
BOOL AfxIsDllModule();
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Control containment is not needed by this library: kept for the callers.
inline void AfxEnableControlContainer() {}
