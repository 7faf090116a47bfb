#include "deskedit/MainFrame.h"

#include "deskedit/DeskSetupDlg.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    CDeskSetupDlg dialog;
    dialog.DoModal();
    PostMessage(WM_CLOSE, 0, 0); // the program ends with its dialog
    return 0;
}
