#include "teacher/dialogs/GroupNameDlg.h"

#include "teacher/SeatGroups.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using namespace TeacherRes;

const CRect kCancelRect(241, 260, 283, 279);
const CRect kConfirmRect(163, 260, 205, 279);
// Name edit k spans (124, 51 + 32k, 272, 68 + 32k): a line of the font fits.
constexpr int kNameLeft = 124;
constexpr int kNameRight = 272;
constexpr int kNameTop = 51;
constexpr int kNameHeight = 17;
constexpr int kRowStep = 32;
// Member box k: x 338..406 with these tops and bottoms.
constexpr int kMemberLeft = 338;
constexpr int kMemberRight = 406;
constexpr int kMemberTops[kq::kGroupCount] = {50, 83, 114, 146, 178, 210};
constexpr int kMemberBottoms[kq::kGroupCount] = {69, 102, 133, 165, 197, 229};
constexpr int kDropHeight = 100;
constexpr int kMemberBoxExtent = 100;

constexpr DWORD kNameStyle = WS_VISIBLE | ES_AUTOHSCROLL;
constexpr DWORD kMemberStyle = WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;

std::string TextOf(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return std::string(text.GetString());
}

} // namespace

BEGIN_MESSAGE_MAP(CGroupNameDlg, CSkinDialog)
    ON_BN_CLICKED(CGroupNameDlg::kConfirmId, OnConfirm)
    ON_BN_CLICKED(CGroupNameDlg::kCancelId, OnCancel)
END_MESSAGE_MAP()

CGroupNameDlg::CGroupNameDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd*)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, nullptr)
{
}

void CGroupNameDlg::SetSeats(const kq::SeatLookup* seats, const kq::SeatGrid& grid, uint16_t columnCount,
                             uint16_t rowCount)
{
    m_seats = seats;
    m_grid = grid;
    m_columnCount = columnCount;
    m_rowCount = rowCount;
}

BOOL CGroupNameDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFaceButton(m_confirm, this, kConfirmRect, kConfirmId, IDB_OK_UP, IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, IDB_NO_UP, IDB_NO_DOWN);
    kq::CreateFieldFont(m_font);

    std::memset(m_seatNumbers, 0, sizeof m_seatNumbers);
    m_records = {};
    m_seatNumberCount = 0;
    if (m_seats == nullptr)
        return TRUE;
    const kq::GroupMembers members = kq::CollectGroupMembers(m_grid, m_rowCount, m_columnCount, *m_seats);
    m_records = members.records;
    m_seatNumberCount = static_cast<uint16_t>(std::min(members.seats.size(), sizeof m_seatNumbers));
    std::copy_n(members.seats.begin(), m_seatNumberCount, m_seatNumbers);

    for (int k = 0; k < kq::kGroupCount; ++k) {
        const int top = kNameTop + kRowStep * k;
        m_names[k].Create(kNameStyle, CRect(kNameLeft, top, kNameRight, top + kNameHeight), this,
                          kFirstNameId + k);
        m_names[k].LimitText(static_cast<int>(kq::kGroupNameMax));
        m_names[k].SetFont(&m_font);
        m_memberBoxes[k].Create(kMemberStyle, CRect(kMemberLeft, kMemberTops[k], kMemberRight,
                                                     kMemberBottoms[k] + kDropHeight),
                                this, kFirstMemberBoxId + k);
        m_memberBoxes[k].SetFont(&m_font);
        m_memberBoxes[k].SendMessage(CB_SETHORIZONTALEXTENT, kMemberBoxExtent);
        for (const std::string& name : members.names[k])
            m_memberBoxes[k].AddString(name.c_str());
        m_memberBoxes[k].SetCurSel(0);
    }
    return TRUE;
}

void CGroupNameDlg::OnConfirm()
{
    if (m_seats == nullptr) {
        EndDialog(IDCANCEL);
        return;
    }
    std::array<std::string, kq::kGroupCount> typed;
    std::array<std::string, kq::kGroupCount> chosen;
    for (int k = 0; k < kq::kGroupCount; ++k) {
        typed[k] = TextOf(m_names[k]);
        CString member;
        const int index = m_memberBoxes[k].GetCurSel();
        if (index != CB_ERR)
            m_memberBoxes[k].GetLBText(index, member);
        chosen[k] = member.GetString();
    }
    const kq::GroupConfirm result = kq::ConfirmGroupNames(m_records, typed, chosen, *m_seats);
    switch (result.kind) {
    case kq::GroupConfirm::Kind::NameMissing:
        kq::ShowWarning(IDS_GROUP_NAME_MISSING);
        GotoDlgCtrl(&m_names[result.group - 1]);
        return;
    case kq::GroupConfirm::Kind::Send:
        EndDialog(IDOK);
        return;
    case kq::GroupConfirm::Kind::NothingToSend:
        EndDialog(IDCANCEL);
        return;
    }
}

void CGroupNameDlg::OnOK()
{
    OnConfirm();
}
