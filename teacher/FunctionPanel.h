#pragma once
// CFunctionPanel: the 21 function buttons (300-320) of the main window. On a
// 640-pixel screen it shows only the rows that fit its height and pages
// through the rest with two small page buttons (861 previous, 862 next).

#include "framework/Framework.h"

#include "common/TeacherConfig.h"
#include "widgets/ButtonList.h"
#include "widgets/KqToolTip.h"
#include "widgets/ToggleBitmapButton.h"

#include <memory>

class CFunctionPanel : public CWnd {
public:
    CFunctionPanel();
    ~CFunctionPanel() override;

    // Places and shows or hides the buttons (and the page buttons) from the
    // configuration, the screen width, the panel height and the page.
    void RecalcLayout();
    // The panel's button with this control id (hover or toggle), or null.
    CButton* Button(UINT id);
    // One of the toggles 300, 304, 305, 309, 316, 319, 320, or null.
    CToggleBitmapButton* Toggle(UINT id);
    int Page() const { return m_page; }
    // The page buttons, null until a layout needed them.
    CBitmapButton* PreviousPageButton() const { return m_previousPage.get(); }
    CBitmapButton* NextPageButton() const { return m_nextPage.get(); }

    BOOL PreTranslateMessage(MSG* msg) override;

    static constexpr int kToggleCount = 7;

    // Set by the main window before creation and by its layout.
    int m_toolTipActive = 1;
    int m_x = 0;
    int m_y = 0;
    int m_height = 0;
    kq::TeacherConfig* m_config = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnPreviousPage();
    afx_msg void OnNextPage();

private:
    void ShowPageButtons(bool previous, bool next);

    int m_page = 1;
    int m_lastSet = 0;
    CButtonList m_buttons;
    CToggleBitmapButton m_toggles[kToggleCount];
    CKqToolTip m_toolTip;
    std::unique_ptr<CBitmapButton> m_previousPage;
    std::unique_ptr<CBitmapButton> m_nextPage;
};
