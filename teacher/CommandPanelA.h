#pragma once
// CCommandPanelA: the six broadcast and monitoring buttons (501-506) on the
// right of the main window, laid out from the selected button set; tooltips,
// frame and clicks as every CToolTipPanel.

#include "teacher/ToolTipPanel.h"
#include "widgets/ToggleBitmapButton.h"

class CCommandPanelA : public CToolTipPanel {
public:
    void RecalcLayout() override;
    // The panel's button with this control id, or null.
    CButton* Button(UINT id);
    // The channel button 504, whose faces the main window switches.
    CToggleBitmapButton& ChannelButton() { return m_channelButton; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);

private:
    CToggleBitmapButton m_channelButton;
};
