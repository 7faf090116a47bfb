#include "student/RollCallDlg.h"

#include "student/StudentMessages.h"
#include "widgets/StudentLook.h"

BEGIN_MESSAGE_MAP(CRollCallDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(CRollCallDlg::kOkId, OnOkButton)
    ON_MESSAGE(CRollCallDlg::WM_END_ROLL_CALL, OnEndRollCall)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 177;
constexpr int kNoCloseButton = -1;
constexpr RECT kFieldRect = {80, 62, 229, 78};
constexpr POINT kOkPosition = {127, 123};
constexpr UINT kOkUp = 158, kOkDown = 157;
constexpr UINT kEmptyAnswerMessage = 57344;
constexpr int kWholeText = -1;

} // namespace

CRollCallDlg::CRollCallDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kNoCloseButton, kNoCloseButton,
                  kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

BOOL CRollCallDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!m_field.Create(WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kFieldRect, this, kFieldId) ||
        !m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE))
        return FALSE;
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    m_field.LimitText(kMaxAnswerChars);
    SetWindowText(kTitle);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    m_field.SetFocus();
    return FALSE; // the focus is set
}

void CRollCallDlg::OnPaint()
{
    CSkinDialog::OnPaint();
    m_field.SetFocus();
}

void CRollCallDlg::OnOkButton()
{
    OnOK();
}

void CRollCallDlg::OnOK()
{
    CString answer;
    m_field.GetWindowText(answer);
    if (!answer.IsEmpty()) {
        m_answer = answer;
        CSkinDialog::OnOK();
        return;
    }
    kq::ShowStudentMessage(kq::MessageForm::Error, kEmptyAnswerMessage, CMessageBoxDlg::kCloseAfter120s);
    m_field.SetFocus();
    m_field.SetSel(0, kWholeText);
    m_field.SendMessage(EM_SCROLLCARET);
}

void CRollCallDlg::OnCancel()
{
    // Escape and WM_CLOSE: the roll call waits for an answer.
}

LRESULT CRollCallDlg::OnEndRollCall(WPARAM, LPARAM)
{
    EndDialog(IDCANCEL);
    return 0;
}
