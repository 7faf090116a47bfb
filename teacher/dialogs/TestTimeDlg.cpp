#include "teacher/dialogs/TestTimeDlg.h"

#include "teacher/OnlineTestRules.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <string>

namespace layout = kq::message_box;

BEGIN_MESSAGE_MAP(CTestTimeDlg, CSkinDialog)
    ON_BN_CLICKED(CTestTimeDlg::kOkId, OnOK)
    ON_BN_CLICKED(CTestTimeDlg::kCancelId, OnCancelButton)
END_MESSAGE_MAP()

namespace {

const CRect kRemainingRect(176, 43, 220, 57);
const CRect kMinutesRect(131, 66, 196, 82);
const CRect kLengthenRect(79, 93, 90, 104);
const CRect kShortenRect(161, 93, 172, 104);

constexpr DWORD kMinutesStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL;
constexpr DWORD kLengthenStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON;
constexpr DWORD kShortenStyle = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr char kMinutesUnit[] = "分钟";

} // namespace

CTestTimeDlg::CTestTimeDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CTestTimeDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFieldFont(m_font);
    const std::string remaining = std::to_string(m_remaining) + kMinutesUnit;
    if (!m_remainingLabel.Create(remaining.c_str(), layout::kTextStyle, kRemainingRect, this, layout::kTextId))
        return FALSE;
    m_remainingLabel.SetBackColor(layout::kTextBackground);
    m_remainingLabel.SetFont(&m_font);
    m_minutesEdit.Create(kMinutesStyle, kMinutesRect, this, kMinutesId);
    // Digits only and few of them: a pasted long number cannot wrap round.
    m_minutesEdit.LimitText(kq::kMaxTimeChangeDigits);
    m_minutesEdit.SetFont(&m_font);
    m_lengthen.Create(nullptr, kLengthenStyle, kLengthenRect, this, kLengthenId);
    m_shorten.Create(nullptr, kShortenStyle, kShortenRect, this, kShortenId);
    m_lengthen.SetCheck(BST_CHECKED);
    kq::CreateFaceButton(m_ok, this, layout::kYesRect, kOkId, TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, layout::kNoRect, kCancelId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_minutesEdit.SetFocus();
    return FALSE; // the focus is set
}

void CTestTimeDlg::OnOK()
{
    CString text;
    m_minutesEdit.GetWindowText(text);
    const int minutes = kq::ParseTimeChange(std::string(text.GetString()));
    if (m_shorten.GetCheck() == BST_CHECKED) {
        if (minutes > m_remaining) {
            kq::ShowWarning(TeacherRes::IDS_SHORTEN_TOO_MUCH);
            return; // stays open
        }
        m_minutes = -minutes;
    } else {
        m_minutes = minutes;
    }
    CSkinDialog::OnOK();
}

void CTestTimeDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}
