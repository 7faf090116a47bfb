#pragma once
// CCommandLineInfo: what ParseCommandLine found on the program's command line.

#include "framework/Object.h"
#include "framework/String.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister,
           FileNothing = -1 };

    CCommandLineInfo() = default;

    // One argument; bFlag when it started with '-' or '/' (removed).
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
};
