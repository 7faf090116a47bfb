#pragma once
// CCommandPanelA: the six broadcast and monitoring buttons (501-506) on the
// right of the main window. It lays them out from the selected button set,
// shows their tooltips, paints its skinned frame and passes every click on
// to the main window as the same command.

#include "framework/Framework.h"

#include "common/TeacherConfig.h"
#include "widgets/ButtonList.h"
#include "widgets/KqToolTip.h"
#include "widgets/ToggleBitmapButton.h"

class CCommandPanelA : public CWnd {
public:
    CCommandPanelA() = default;
    ~CCommandPanelA() override;

    // Places and shows or hides the buttons from the configuration.
    void RecalcLayout();
    // The panel's button with this control id, or null.
    CButton* Button(UINT id);
    // The channel button 504, whose faces the main window switches.
    CToggleBitmapButton& ChannelButton() { return m_channelButton; }

    BOOL PreTranslateMessage(MSG* msg) override;

    // Set by the main window before creation and by its layout.
    int m_x = 0;
    int m_y = 0;
    int m_toolTipActive = 1;
    kq::TeacherConfig* m_config = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);

private:
    CToggleBitmapButton m_channelButton;
    CButtonList m_buttons;
    CKqToolTip m_toolTip;
};
