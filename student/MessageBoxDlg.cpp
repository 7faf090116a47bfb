#include "student/MessageBoxDlg.h"

#include "student/StudentHelp.h"
#include "widgets/StudentLook.h"

BEGIN_MESSAGE_MAP(CMessageBoxDlg, CSkinDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(CMessageBoxDlg::kOkId, OnOkButton)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kLabelColour = 0xF9E5AB;
constexpr RECT kLabelRect = {98, 33, 272, 106};
constexpr POINT kOkPosition = {127, 123};
constexpr UINT kOkUp = 158;
constexpr UINT kOkDown = 157;

struct ClosingTimer {
    int mode;
    UINT_PTR id;
    UINT ms;
};

constexpr ClosingTimer kClosingTimers[] = {
    {CMessageBoxDlg::kCloseAfter3s, 2003, 3000},
    {CMessageBoxDlg::kCloseAfter10s, 2004, 10000},
    {CMessageBoxDlg::kCloseAfter120s, 2005, 120000},
};

} // namespace

CMessageBoxDlg::CMessageBoxDlg(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY,
                               UINT backgroundId, CWnd* owner)
    : CSkinDialog(templateId, cornerWidth, cornerHeight, closeX, closeY, backgroundId, owner,
                  kq::kStudentSkinLook),
      m_label(0, kq::kStudentSkinLook)
{
}

BOOL CMessageBoxDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    m_label.SetBackColor(kLabelColour);
    m_label.Create(m_text, WS_VISIBLE | SS_LEFT, kLabelRect, this, kLabelId);
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    for (const ClosingTimer& timer : kClosingTimers) {
        if (timer.mode == m_mode)
            SetTimer(timer.id, timer.ms, nullptr);
    }
    return TRUE;
}

void CMessageBoxDlg::OnTimer(UINT_PTR timerId)
{
    for (const ClosingTimer& timer : kClosingTimers) {
        if (timer.id == timerId) {
            KillTimer(timerId);
            PostMessage(WM_CLOSE); // closes as cancelled: no help page
            return;
        }
    }
    CSkinDialog::OnTimer(timerId);
}

void CMessageBoxDlg::OnOkButton()
{
    kq::OpenStudentHelp(m_messageId);
    EndDialog(IDOK);
}
