#include "joiner/StudentNumberDlg.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "joiner/JoinerLook.h"

namespace {

namespace ini = kq::studentini;

constexpr RECT kCurrentSeatRect = {84, 46, 229, 62};
constexpr COLORREF kCurrentSeatColour = RGB(56, 156, 220);
constexpr RECT kSeatRect = {82, 85, 230, 100};

} // namespace

CStudentNumberDlg::CStudentNumberDlg() : CSeatEntryDlg(kBackgroundId), m_currentSeat(0, kq::kJoinerSkinLook) {}

BOOL CStudentNumberDlg::OnInitDialog()
{
    CSeatEntryDlg::OnInitDialog();
    const std::string& source = m_backupCopy.empty() ? m_workingCopy : m_backupCopy;
    std::string seat = kq::ReadSeatNumber(source, ini::kAbsentText);
    if (kq::IsAbsentText(seat))
        seat = ini::kUnassignedSeat; // an empty seat stays empty

    m_currentSeat.Create(seat.c_str(), WS_VISIBLE | SS_LEFT, kCurrentSeatRect, this, kCurrentSeatId);
    m_currentSeat.SetBackColor(kCurrentSeatColour);
    CreateSeatField(kSeatRect, 0);
    CreateButtons();

    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    m_seatField.SetFocus();
    return FALSE;
}

void CStudentNumberDlg::OnOK()
{
    CString seat;
    if (!CheckedSeat(seat))
        return;
    kq::WriteIniText(TargetCopy(), ini::kStudentNumber, ini::kNumber, seat.GetString());
    EndDialog(IDOK);
}
