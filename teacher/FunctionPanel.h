#pragma once
// CFunctionPanel: the 21 function buttons (300-320) of the main window. On a
// 640-pixel screen it shows only the rows that fit its height and pages
// through the rest with two small page buttons (861 previous, 862 next).

#include "teacher/ToolTipPanel.h"
#include "widgets/ToggleBitmapButton.h"

#include <memory>

class CFunctionPanel : public CToolTipPanel {
public:
    CFunctionPanel();
    ~CFunctionPanel() override;

    // Also the page buttons, from the screen width, the panel height and the
    // page.
    void RecalcLayout() override;
    // The panel's button with this control id (hover or toggle), or null.
    CButton* Button(UINT id);
    // One of the toggles 300, 304, 305, 309, 316, 319, 320, or null.
    CToggleBitmapButton* Toggle(UINT id);
    int Page() const { return m_page; }
    // The page buttons, null until a layout needed them.
    CBitmapButton* PreviousPageButton() const { return m_previousPage.get(); }
    CBitmapButton* NextPageButton() const { return m_nextPage.get(); }

    static constexpr int kToggleCount = 7;

    // Set by the main window's layout.
    int m_height = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnPreviousPage();
    afx_msg void OnNextPage();

private:
    void ShowPageButtons(bool previous, bool next);

    int m_page = 1;
    int m_lastSet = 0;
    CToggleBitmapButton m_toggles[kToggleCount];
    std::unique_ptr<CBitmapButton> m_previousPage;
    std::unique_ptr<CBitmapButton> m_nextPage;
};
