#pragma once
// CMainFrame: the editor's hidden frame. It runs the editor's dialog inside
// its own creation and closes when the dialog ends.

#include "framework/Framework.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
};
