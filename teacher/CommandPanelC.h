#pragma once
// CCommandPanelC: the twelve online-test buttons (601-613) of the main
// window's test page, in two groups, each on its own skinned frame. The
// second group can be scrolled by one row.

#include "framework/Framework.h"

#include "common/TeacherConfig.h"
#include "widgets/ButtonList.h"
#include "widgets/ToggleBitmapButton.h"

class CCommandPanelC : public CWnd {
public:
    CCommandPanelC() = default;
    ~CCommandPanelC() override;

    // Places and shows or hides the buttons from the configuration.
    void RecalcLayout();
    // Row 0 or 1 of the second group; other rows change nothing.
    void ScrollSecondGroup(int row);
    // The panel's button with this control id, or null.
    CButton* Button(UINT id);
    // The text overlay toggle 606, whose faces the main window switches.
    CToggleBitmapButton& OverlayButton() { return m_overlayButton; }

    // Set by the main window before creation and by its layout.
    int m_x = 0;
    int m_y = 0;
    kq::TeacherConfig* m_config = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);

private:
    CButtonList m_buttons;
    CToggleBitmapButton m_overlayButton;
};
