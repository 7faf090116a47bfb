#pragma once
// CGroupAssignDlg: moves seats between no group and one of the six groups.
// The opener fills Grid() with a copy of the seat grid, runs DoModal and, on
// IDOK, takes the groups back: IDOK only when a seat was moved.

#include "teacher/SeatRecord.h"
#include "widgets/OwnerDrawListBox.h"
#include "widgets/SkinDialog.h"

class CGroupAssignDlg : public CSkinDialog {
public:
    CGroupAssignDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    kq::SeatGrid& Grid() { return m_grid; }

    BOOL OnInitDialog() override;

    static constexpr UINT kConfirmId = 706;
    static constexpr UINT kAddSelectedId = 707;
    static constexpr UINT kAddAllId = 771;
    static constexpr UINT kRemoveSelectedId = 711;
    static constexpr UINT kRemoveAllId = 770;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kGroupBoxId = 780;
    static constexpr UINT kUngroupedListId = 781;
    static constexpr UINT kMemberListId = 782;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnConfirm();
    afx_msg void OnAddSelected();
    afx_msg void OnAddAll();
    afx_msg void OnRemoveSelected();
    afx_msg void OnRemoveAll();
    afx_msg void OnGroupChange();

private:
    // The group chosen in the group box, 1..6.
    int ChosenGroup() const;
    void FillList(COwnerDrawListBox& list, int group);
    // Each selected seat of `from`, top first, gets `group` and goes to `to`.
    void MoveSelected(COwnerDrawListBox& from, COwnerDrawListBox& to, int group);
    void MoveAll(COwnerDrawListBox& from, COwnerDrawListBox& to, int group);
    void Assign(const char* name, int group);

    kq::SeatGrid m_grid{};
    int m_changed = 0;
    COwnerDrawListBox m_ungrouped;
    COwnerDrawListBox m_members;
    CComboBox m_groupBox;
    CBitmapButton m_buttons[6];
};
