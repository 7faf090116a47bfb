#include "teacher/dialogs/GroupAssignDlg.h"

#include "teacher/SeatGroups.h"
#include "teacher/dialogs/DialogControls.h"

#include "TeacherResources.h"

#include <iterator>

namespace {

using namespace TeacherRes;

struct ButtonSpec {
    UINT id;
    CRect rect;
    UINT released;
    UINT pressed;
};
const ButtonSpec kButtons[] = {
    {CGroupAssignDlg::kConfirmId, CRect(373, 70, 437, 90), IDB_GROUP_CONFIRM_UP, IDB_GROUP_CONFIRM_DOWN},
    {CGroupAssignDlg::kAddSelectedId, CRect(373, 97, 437, 117), IDB_GROUP_ADD_UP, IDB_GROUP_ADD_DOWN},
    {CGroupAssignDlg::kAddAllId, CRect(373, 124, 437, 144), IDB_GROUP_ADD_ALL_UP, IDB_GROUP_ADD_ALL_DOWN},
    {CGroupAssignDlg::kRemoveSelectedId, CRect(373, 151, 437, 171), IDB_GROUP_REMOVE_UP, IDB_GROUP_REMOVE_DOWN},
    {CGroupAssignDlg::kRemoveAllId, CRect(373, 178, 437, 198), IDB_GROUP_REMOVE_ALL_UP, IDB_GROUP_REMOVE_ALL_DOWN},
    {CGroupAssignDlg::kCancelId, CRect(373, 303, 437, 323), IDB_GROUP_CANCEL_UP, IDB_GROUP_CANCEL_DOWN},
};
const CRect kUngroupedRect(12, 59, 173, 343);
const CRect kMemberRect(178, 59, 339, 343);
const CRect kGroupBoxRect(197, 28, 270, 150);
constexpr UINT kGroupNames[] = {IDS_GROUP_1, IDS_GROUP_2, IDS_GROUP_3, IDS_GROUP_4, IDS_GROUP_5, IDS_GROUP_6};
constexpr int kGroupBoxExtent = 100;

constexpr DWORD kListStyle = WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_EXTENDEDSEL |
                             LBS_OWNERDRAWVARIABLE | LBS_NOTIFY;
constexpr DWORD kGroupBoxStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

const char* NameAt(const COwnerDrawListBox& list, int index)
{
    return static_cast<const char*>(list.GetItemDataPtr(index));
}

} // namespace

BEGIN_MESSAGE_MAP(CGroupAssignDlg, CSkinDialog)
    ON_BN_CLICKED(CGroupAssignDlg::kConfirmId, OnConfirm)
    ON_BN_CLICKED(CGroupAssignDlg::kCancelId, OnCancel)
    ON_BN_CLICKED(CGroupAssignDlg::kRemoveSelectedId, OnRemoveSelected)
    ON_BN_CLICKED(CGroupAssignDlg::kRemoveAllId, OnRemoveAll)
    ON_BN_CLICKED(CGroupAssignDlg::kAddAllId, OnAddAll)
    ON_BN_CLICKED(CGroupAssignDlg::kAddSelectedId, OnAddSelected)
    ON_CBN_SELCHANGE(CGroupAssignDlg::kGroupBoxId, OnGroupChange)
END_MESSAGE_MAP()

CGroupAssignDlg::CGroupAssignDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CGroupAssignDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    for (size_t i = 0; i < std::size(kButtons); ++i)
        kq::CreateFaceButton(m_buttons[i], this, kButtons[i].rect, kButtons[i].id, kButtons[i].released,
                             kButtons[i].pressed, WS_TABSTOP);
    m_ungrouped.Create(kListStyle, kUngroupedRect, this, kUngroupedListId);
    m_members.Create(kListStyle, kMemberRect, this, kMemberListId);
    m_groupBox.Create(kGroupBoxStyle, kGroupBoxRect, this, kGroupBoxId);
    if (CFont* font = GetFont())
        m_groupBox.SetFont(font);
    m_groupBox.SendMessage(CB_SETHORIZONTALEXTENT, kGroupBoxExtent);
    for (UINT id : kGroupNames) {
        CString name;
        name.LoadString(id);
        m_groupBox.AddString(name);
    }
    m_groupBox.SetCurSel(0);
    FillList(m_ungrouped, kq::kNoGroup);
    FillList(m_members, ChosenGroup());
    return TRUE;
}

int CGroupAssignDlg::ChosenGroup() const
{
    const int index = m_groupBox.GetCurSel();
    return index == CB_ERR ? 1 : index + 1;
}

void CGroupAssignDlg::FillList(COwnerDrawListBox& list, int group)
{
    list.ResetContent();
    // The items point into the dialog's grid: the list keeps no text.
    for (kq::SeatRecord* seat : kq::ListGroupSeats(m_grid, group))
        list.AddString(seat->name.c_str());
}

void CGroupAssignDlg::Assign(const char* name, int group)
{
    if (name != nullptr && kq::SetSeatGroup(m_grid, name, group))
        m_changed = 1;
}

void CGroupAssignDlg::MoveSelected(COwnerDrawListBox& from, COwnerDrawListBox& to, int group)
{
    if (from.GetCurSel() == LB_ERR)
        return;
    for (;;) {
        int selected = LB_ERR;
        for (int i = 0; i < from.GetCount() && selected == LB_ERR; ++i)
            if (from.GetSel(i) > 0)
                selected = i;
        if (selected == LB_ERR)
            return;
        const char* name = NameAt(from, selected);
        Assign(name, group);
        to.AddString(name);
        from.DeleteString(static_cast<UINT>(selected));
    }
}

void CGroupAssignDlg::MoveAll(COwnerDrawListBox& from, COwnerDrawListBox& to, int group)
{
    for (int i = 0; i < from.GetCount(); ++i) {
        const char* name = NameAt(from, i);
        Assign(name, group);
        to.AddString(name);
    }
    from.ResetContent();
}

void CGroupAssignDlg::OnAddSelected() { MoveSelected(m_ungrouped, m_members, ChosenGroup()); }
void CGroupAssignDlg::OnAddAll() { MoveAll(m_ungrouped, m_members, ChosenGroup()); }
void CGroupAssignDlg::OnRemoveSelected() { MoveSelected(m_members, m_ungrouped, kq::kNoGroup); }
void CGroupAssignDlg::OnRemoveAll() { MoveAll(m_members, m_ungrouped, kq::kNoGroup); }
void CGroupAssignDlg::OnGroupChange() { FillList(m_members, ChosenGroup()); }

void CGroupAssignDlg::OnConfirm()
{
    EndDialog(m_changed == 1 ? IDOK : IDCANCEL);
}

void CGroupAssignDlg::OnOK()
{
    OnConfirm();
}
