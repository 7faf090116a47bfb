#include "framework/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        if (lstrcmpiA(pszParam, "nologo") == 0)
            m_bShowSplash = FALSE;
        else if (lstrcmpiA(pszParam, "embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (lstrcmpiA(pszParam, "automation") == 0)
            m_bRunAutomated = TRUE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}
