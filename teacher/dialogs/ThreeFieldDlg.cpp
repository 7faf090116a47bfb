#include "teacher/dialogs/ThreeFieldDlg.h"

#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

BEGIN_MESSAGE_MAP(CThreeFieldDlg, CSkinDialog)
    ON_BN_CLICKED(CThreeFieldDlg::kOkId, OnOK)
    ON_BN_CLICKED(CThreeFieldDlg::kCloseId, OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 320;
constexpr int kCloseY = 4;

const CRect kFirstRect(58, 33, 329, 48);
const CRect kMiddleRect(67, 67, 319, 165);
const CRect kLastRect(58, 184, 329, 199);
const CRect kOkRect(122, 207, 165, 227);
const CRect kCloseRect(195, 207, 238, 227);

constexpr DWORD kLineStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kTextStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;

} // namespace

CThreeFieldDlg::CThreeFieldDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_THREE_FIELD_BACKGROUND, nullptr)
{
}

BOOL CThreeFieldDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFieldFont(m_font);
    if (!m_first.Create(kLineStyle, kFirstRect, this, kFirstId) ||
        !m_middle.Create(kTextStyle, kMiddleRect, this, kMiddleId) ||
        !m_last.Create(kLineStyle, kLastRect, this, kLastId) ||
        !kq::CreateFaceButton(m_ok, this, kOkRect, kOkId, TeacherRes::IDB_SEND_UP, TeacherRes::IDB_SEND_DOWN) ||
        !kq::CreateFaceButton(m_close, this, kCloseRect, kCloseId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN))
        return TRUE;
    for (CEdit* field : {&m_first, &m_middle, &m_last})
        field->SetFont(&m_font);
    m_first.LimitText(kFirstLimit);
    m_middle.LimitText(kMiddleLimit);
    m_last.LimitText(kLastLimit);
    return TRUE;
}

void CThreeFieldDlg::OnOK()
{
    m_first.GetWindowText(m_firstText);
    m_middle.GetWindowText(m_middleText);
    m_last.GetWindowText(m_lastText);
    if (m_firstText.IsEmpty() || m_middleText.IsEmpty())
        return;
    if (m_lastText.IsEmpty()) {
        kq::ShowWarning(TeacherRes::IDS_LAST_FIELD_EMPTY);
        return;
    }
    EndDialog(IDOK);
}
