#pragma once
// CCommandPanelC: the twelve online-test buttons (601-613) of the main
// window's test page, in two groups, each on its own skinned frame. The
// second group can be scrolled by one row.

#include "teacher/CommandPanel.h"
#include "widgets/ToggleBitmapButton.h"

class CCommandPanelC : public CCommandPanel {
public:
    void RecalcLayout() override;
    // Row 0 or 1 of the second group; other rows change nothing.
    void ScrollSecondGroup(int row);
    // The panel's button with this control id, or null.
    CButton* Button(UINT id);
    // The text overlay toggle 606, whose faces the main window switches.
    CToggleBitmapButton& OverlayButton() { return m_overlayButton; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);

private:
    CToggleBitmapButton m_overlayButton;
};
