#pragma once
// CCommandPanel: what the main window's three button panels share: their
// place in the main window, the configuration their layout reads, their
// hover buttons, every click passed on to the main window as the same
// command, the focus taken when the mouse moves over them, and a right
// click reported to the main window.

#include "framework/Framework.h"

#include "common/TeacherConfig.h"
#include "widgets/ButtonList.h"

class CCommandPanel : public CWnd {
public:
    ~CCommandPanel() override;

    // Places and shows or hides the buttons from the configuration.
    virtual void RecalcLayout() = 0;

    // Set by the main window before creation and by its layout.
    int m_x = 0;
    int m_y = 0;
    kq::TeacherConfig* m_config = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);

    CButtonList m_buttons;
};
