#pragma once
// CCommandPanel: what the main window's button panels with tooltips share
// (command panel A and the function panel): their buttons and tooltip, one
// skinned frame behind them, every click passed on to the main window as the
// same command, the restore system command laying the buttons out again and
// the close system command ignored.

#include "framework/Framework.h"

#include "common/TeacherConfig.h"
#include "widgets/ButtonList.h"
#include "widgets/KqToolTip.h"

class CCommandPanel : public CWnd {
public:
    ~CCommandPanel() override;

    // Places and shows or hides the buttons from the configuration.
    virtual void RecalcLayout() = 0;

    BOOL PreTranslateMessage(MSG* msg) override;

    // Set by the main window before creation and by its layout.
    int m_x = 0;
    int m_y = 0;
    int m_toolTipActive = 1;
    kq::TeacherConfig* m_config = nullptr;

protected:
    // The tooltip window, active as m_toolTipActive says; OnCreate of the
    // panel calls it before adding its buttons' tips.
    void CreateToolTip();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);

    CButtonList m_buttons;
    CKqToolTip m_toolTip;
};
