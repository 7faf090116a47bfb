#include "teacher/dialogs/LineInputDlg.h"

#include "common/TextField.h"
#include "teacher/dialogs/DialogControls.h"

#include "TeacherResources.h"

namespace {

const CRect kTextRect(80, 62, 229, 79);
const CRect kCancelRect(163, 122, 206, 143);
const CRect kConfirmRect(90, 122, 132, 143);
constexpr DWORD kTextStyle = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

} // namespace

BEGIN_MESSAGE_MAP(CLineInputDlg, CSkinDialog)
    ON_BN_CLICKED(CLineInputDlg::kConfirmId, OnConfirm)
    ON_BN_CLICKED(CLineInputDlg::kCancelId, OnCancel)
END_MESSAGE_MAP()

CLineInputDlg::CLineInputDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd*)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, nullptr)
{
}

BOOL CLineInputDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFaceButton(m_confirm, this, kConfirmRect, kConfirmId, TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_text.Create(kTextStyle, kTextRect, this, kTextId);
    m_text.LimitText(kMaxCharacters);
    kq::CreateFieldFont(m_font);
    m_text.SetFont(&m_font);
    return TRUE;
}

void CLineInputDlg::OnConfirm()
{
    CString text;
    m_text.GetWindowText(text); // blanks are part of the topic
    if (text.IsEmpty()) {
        GotoDlgCtrl(&m_text);
        return;
    }
    // Thirty double-byte characters are 60 bytes: the record keeps what fits.
    m_result = kq::GroupRecord{};
    kq::CopyTextField(m_result.name, text);
    EndDialog(IDOK);
}

void CLineInputDlg::OnOK()
{
    OnConfirm();
}
