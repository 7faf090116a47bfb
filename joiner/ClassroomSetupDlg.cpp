#include "joiner/ClassroomSetupDlg.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "joiner/NoticeDlg.h"

#include <cstdlib>
#include <string>

BEGIN_MESSAGE_MAP(CClassroomSetupDlg, CSeatEntryDlg)
    ON_BN_CLICKED(CClassroomSetupDlg::kSingleRadioId, OnSingleClassroom)
    ON_BN_CLICKED(CClassroomSetupDlg::kSeveralRadioId, OnSeveralClassrooms)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

namespace ini = kq::studentini;

constexpr RECT kSeatRect = {81, 39, 232, 57};
constexpr RECT kClassroomRect = {81, 71, 119, 89};
constexpr RECT kSpinRect = {119, 71, 134, 89};
constexpr RECT kSingleRect = {32, 102, 50, 120};
constexpr RECT kSeveralRect = {98, 102, 115, 120};
constexpr COLORREF kRadioColour = RGB(171, 229, 249);

constexpr char kClassCount[] = "CLASSCOUNT";
constexpr char kMax[] = "Max";
constexpr char kMin[] = "Min";
constexpr int kUnsetCount = -1;
constexpr int kUnsetClassroom = -1;
constexpr int kSingleClassroom = 0;
constexpr char kSingleClassroomText[] = "0";

} // namespace

CClassroomSetupDlg::CClassroomSetupDlg() : CSeatEntryDlg(kBackgroundId) {}

BOOL CClassroomSetupDlg::OnInitDialog()
{
    CSeatEntryDlg::OnInitDialog();
    const std::string& source = TargetCopy();

    std::string seat = kq::ReadSeatNumber(source, ini::kAbsentText);
    if (seat.empty() || kq::IsAbsentText(seat))
        seat = ini::kUnassignedSeat;
    CreateSeatField(kSeatRect, WS_BORDER);
    m_seatField.SetWindowText(seat.c_str());
    SelectAll(m_seatField);

    CreateButtons();
    m_single.Create("", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kSingleRect, this, kSingleRadioId);
    m_several.Create("", WS_VISIBLE | BS_AUTORADIOBUTTON, kSeveralRect, this, kSeveralRadioId);
    m_classroomField.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kClassroomRect, this,
                            kClassroomFieldId);
    m_classroomField.LimitText(kClassroomFieldChars);
    m_spin.Create(WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT, kSpinRect, this, kSpinId);
    m_spin.SetBuddy(&m_classroomField);

    int highest = kq::ReadIniInt(m_localCopy, kClassCount, kMax, kUnsetCount);
    int lowest = kq::ReadIniInt(m_localCopy, kClassCount, kMin, kUnsetCount);
    if (highest == kUnsetCount)
        highest = kHighestClassroom;
    if (lowest == kUnsetCount)
        lowest = kLowestClassroom;
    m_spin.SetRange(static_cast<short>(lowest), static_cast<short>(highest));
    m_classroomField.SetWindowText(std::to_string(lowest).c_str());

    const int classroom = kq::ReadIniInt(source, ini::kVer, ini::kClassroomId, kUnsetClassroom);
    if (classroom != kUnsetClassroom && classroom != kSingleClassroom) {
        m_classroomField.SetWindowText(std::to_string(classroom).c_str());
        m_several.SetCheck(BST_CHECKED);
    } else {
        m_single.SetCheck(BST_CHECKED);
        m_several.SetCheck(BST_UNCHECKED);
        EnableClassroom(FALSE);
    }

    m_radioBrush.CreateSolidBrush(kRadioColour);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    return FALSE; // the seat field has the focus
}

void CClassroomSetupDlg::EnableClassroom(BOOL enable)
{
    m_classroomField.EnableWindow(enable);
    m_spin.EnableWindow(enable);
}

void CClassroomSetupDlg::OnSingleClassroom()
{
    EnableClassroom(FALSE);
}

void CClassroomSetupDlg::OnSeveralClassrooms()
{
    EnableClassroom(TRUE);
}

HBRUSH CClassroomSetupDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    HBRUSH brush = CSeatEntryDlg::OnCtlColor(dc, control, kind);
    if (control != nullptr && m_radioBrush.GetSafeHandle() != nullptr) {
        const int id = control->GetDlgCtrlID();
        if (id == static_cast<int>(kSingleRadioId) || id == static_cast<int>(kSeveralRadioId)) {
            dc->SetBkColor(kRadioColour);
            return static_cast<HBRUSH>(m_radioBrush.GetSafeHandle());
        }
    }
    return brush;
}

void CClassroomSetupDlg::OnOK()
{
    CString seat;
    if (!CheckedSeat(seat))
        return;
    CString classroom = kSingleClassroomText;
    if (m_several.GetCheck() == BST_CHECKED) {
        m_classroomField.GetWindowText(classroom);
        const int number = std::atoi(classroom.GetString());
        if (number < kLowestClassroom || number > kHighestClassroom) {
            SelectAll(m_classroomField);
            kq::ShowNotice(kq::kNoticeClassroomInvalid);
            return;
        }
    }
    const std::string& target = TargetCopy();
    kq::WriteIniText(target, ini::kStudentNumber, ini::kNumber, seat.GetString());
    kq::WriteIniText(target, ini::kVer, ini::kClassroomId, classroom.GetString());
    EndDialog(IDOK);
}
