#include "teacher/dialogs/KqWaitTimeDlg.h"

BEGIN_MESSAGE_MAP(CKqWaitTimeDlg, CSkinDialog)
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kMsPerSecond = 1000;

} // namespace

CKqWaitTimeDlg::CKqWaitTimeDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, int seconds,
                               CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent), m_seconds(seconds)
{
}

BOOL CKqWaitTimeDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (m_seconds > 0)
        SetTimer(kLifeTimer, static_cast<UINT>(m_seconds) * kMsPerSecond);
    SetWindowText(kTitle);
    return TRUE;
}

void CKqWaitTimeDlg::OnTimer(UINT_PTR timerId)
{
    if (timerId == kLifeTimer)
        PostMessage(WM_CLOSE, 0, 0);
    CSkinDialog::OnTimer(timerId);
}

void CKqWaitTimeDlg::OnClose()
{
    KillTimer(kLifeTimer);
    // The dialog's own handling turns the close into a cancel.
    CSkinDialog::OnClose();
}
