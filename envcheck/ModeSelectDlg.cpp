#include "envcheck/ModeSelectDlg.h"

namespace {

constexpr int kModeDigitalFixed = 1;
constexpr int kModeMultimediaFixed = 2;
constexpr int kModeEditionChosen = 3;

// The classroom numbers of the list, in order.
const char* const kClassroomNames[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};

} // namespace

BEGIN_MESSAGE_MAP(CModeSelectDlg, CDialog)
    ON_BN_CLICKED(CModeSelectDlg::kSingleId, OnSingle)
    ON_BN_CLICKED(CModeSelectDlg::kMultipleId, OnMultiple)
END_MESSAGE_MAP()

CModeSelectDlg::CModeSelectDlg(int mode, CWnd* parent) : CDialog(kTemplate, parent), m_mode(mode)
{
}

BOOL CModeSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(kListId, this);
    // The template cannot carry a list's items.
    for (const char* name : kClassroomNames)
        m_list.AddString(name);
    m_list.SetCurSel(0);

    CheckDlgButton(kSingleId, BST_CHECKED);
    CheckDlgButton(kMultipleId, BST_UNCHECKED);
    const bool multimedia = m_mode == kModeMultimediaFixed;
    CheckDlgButton(kDigitalId, multimedia ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(kMultimediaId, multimedia ? BST_CHECKED : BST_UNCHECKED);
    if (m_mode == kModeDigitalFixed || m_mode == kModeMultimediaFixed) {
        GetDlgItem(kDigitalId)->EnableWindow(FALSE);
        GetDlgItem(kMultimediaId)->EnableWindow(FALSE);
    }
    m_list.EnableWindow(FALSE);
    return TRUE;
}

void CModeSelectDlg::OnSingle()
{
    m_list.EnableWindow(FALSE);
}

void CModeSelectDlg::OnMultiple()
{
    m_list.EnableWindow(TRUE);
}

void CModeSelectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_mode == kModeEditionChosen)
        m_edition = IsDlgButtonChecked(kMultimediaId) == BST_CHECKED ? 1 : 0;
    if (IsDlgButtonChecked(kSingleId) == BST_CHECKED)
        m_classroom = 0;
    else if (IsDlgButtonChecked(kMultipleId) == BST_CHECKED)
        m_classroom = m_list.GetCurSel() + 1;
    CDialog::OnOK();
}
