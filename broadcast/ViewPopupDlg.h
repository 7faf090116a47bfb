#pragma once
// A modeless dialog floating over the engine's view: dragged by its painted
// caption band, the view redrawn once it has moved, and never closed through
// the system menu (its own buttons hide it).

#include "framework/Framework.h"

class CViewPopupDlg : public CDialog {
protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
