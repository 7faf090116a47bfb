#include "teacher/dialogs/ShutdownDelayDlg.h"

#include "teacher/dialogs/DelaySeconds.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <commctrl.h>

namespace layout = kq::message_box;

BEGIN_MESSAGE_MAP(CShutdownDelayDlg, CSkinDialog)
    ON_BN_CLICKED(CShutdownDelayDlg::kOkId, OnOK)
    ON_BN_CLICKED(CShutdownDelayDlg::kCloseId, OnNoButton)
    ON_BN_CLICKED(CShutdownDelayDlg::kDelayBoxId, OnDelayBox)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 269;
constexpr int kCloseY = 4;

const CRect kOkRect(91, 123, 134, 143);
const CRect kCloseRect(164, 123, 207, 143);
const CRect kDelayBoxRect(41, 91, 52, 102);
const CRect kSecondsRect(190, 89, 225, 105);
const CRect kSpinRect(225, 89, 245, 105);
const CRect kPromptRect(72, 46, 219, 78);
const CRect kDelayLabelRect(59, 90, 162, 105);
const CRect kUnitRect(251, 90, 271, 105);

constexpr DWORD kLabelStyle = WS_VISIBLE | SS_CENTER;
constexpr DWORD kPromptStyle = WS_VISIBLE | SS_LEFT;
constexpr DWORD kDelayBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kSecondsStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL;
constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr int kSpinLowest = 0;

} // namespace

CShutdownDelayDlg::CShutdownDelayDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_NOTICE_BACKGROUND, nullptr)
{
}

BOOL CShutdownDelayDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    if (m_ok.Create(nullptr, layout::kButtonStyle, kOkRect, this, kOkId))
        m_ok.LoadBitmaps(TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    if (m_close.Create(nullptr, layout::kButtonStyle, kCloseRect, this, kCloseId))
        m_close.LoadBitmaps(TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_delayBox.Create(nullptr, kDelayBoxStyle, kDelayBoxRect, this, kDelayBoxId);
    m_delayBox.SetCheck(BST_CHECKED);
    m_seconds.Create(kSecondsStyle, kSecondsRect, this, kSecondsId);
    m_spin.Create(kSpinStyle, kSpinRect, this, kSpinId);
    m_spin.SetBuddy(&m_seconds);
    // The field, not the spin, may go past the largest delay: OK checks it.
    m_spin.SetRange32(kSpinLowest, kq::kMaxDelaySeconds);

    if (!m_promptLabel.Create(m_promptText, kPromptStyle, kPromptRect, this, layout::kTextId))
        return FALSE;
    m_promptLabel.SetBackColor(layout::kTextBackground);
    if (!m_delayLabel.Create(m_delayText, kLabelStyle, kDelayLabelRect, this, layout::kTextId))
        return FALSE;
    m_delayLabel.SetBackColor(layout::kTextBackground);
    if (!m_unitLabel.Create(m_unitText, kLabelStyle, kUnitRect, this, layout::kTextId))
        return FALSE;
    m_unitLabel.SetBackColor(layout::kTextBackground);

    m_seconds.SetWindowText(kDefaultSeconds);
    return TRUE;
}

void CShutdownDelayDlg::OnDelayBox()
{
    const BOOL ticked = m_delayBox.GetCheck() == BST_CHECKED;
    m_seconds.EnableWindow(ticked);
    m_spin.EnableWindow(ticked);
}

void CShutdownDelayDlg::OnOK()
{
    m_seconds.GetWindowText(m_secondsText);
    int delay = 0;
    if (m_delayBox.GetCheck() == BST_CHECKED && !kq::ParseDelaySeconds(m_secondsText, delay)) {
        kq::ShowWarning(TeacherRes::IDS_DELAY_TOO_LONG);
        return; // stays open with the text as typed
    }
    m_delay = delay;
    CSkinDialog::OnOK();
}

void CShutdownDelayDlg::OnNoButton()
{
    EndDialog(IDCANCEL);
}
