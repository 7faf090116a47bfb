#pragma once
// CToolTipPanel: a command panel whose buttons show tooltips, on one skinned
// frame (command panel A and the function panel). The restore system command
// lays the buttons out again; the close system command is ignored.

#include "teacher/CommandPanel.h"
#include "widgets/KqToolTip.h"

class CToolTipPanel : public CCommandPanel {
public:
    BOOL PreTranslateMessage(MSG* msg) override;

    // Set by the main window before creation.
    int m_toolTipActive = 1;
    // Turns the buttons' tips on or off while the panel lives.
    void ActivateToolTip(BOOL on);

protected:
    // The tooltip window, active as m_toolTipActive says; the panel's
    // OnCreate calls it before adding its buttons' tips.
    void CreateToolTip();

    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);

    CKqToolTip m_toolTip;
};
