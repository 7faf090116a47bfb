#include "broadcast/ClearRecordDlg.h"

#include "broadcast/MirageMessageIds.h"
#include "broadcast/ViewerTexts.h"

namespace {

constexpr UINT kClearRecordDialog = 8003;
constexpr int kQuestionText = 8000;

} // namespace

BEGIN_MESSAGE_MAP(CClearRecordDlg, CDialog)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

BOOL CClearRecordDlg::CreateFor(CWnd* parent)
{
    m_parent = parent;
    m_done = false;
    return Create(kClearRecordDialog, parent);
}

BOOL CClearRecordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, kQuestionText, ViewerText(MIRAGE_INI_CLEAR_QUESTION).c_str());
    ::SetDlgItemTextA(m_hWnd, IDOK, ViewerText(MIRAGE_INI_CLEAR_CONFIRM).c_str());
    ::SetDlgItemTextA(m_hWnd, IDCANCEL, ViewerText(MIRAGE_INI_CLEAR_CANCEL).c_str());
    return TRUE;
}

void CClearRecordDlg::Answer(bool confirmed)
{
    if (confirmed && m_parent != nullptr && m_parent->GetSafeHwnd() != nullptr)
        m_parent->PostMessage(WM_MIRAGE_CLEAR_CONFIRMED);
    m_done = true;
    ShowWindow(SW_HIDE);
    // The bar comes back either way: hidden, it would take the player's
    // only exit with it.
    if (m_parent != nullptr && m_parent->GetSafeHwnd() != nullptr)
        m_parent->ShowWindow(SW_SHOWNOACTIVATE);
}

void CClearRecordDlg::OnOK() { Answer(true); }
void CClearRecordDlg::OnCancel() { Answer(false); }

void CClearRecordDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    const bool close = (id & 0xFFF0) == SC_CLOSE;
    if (!close || m_done)
        CDialog::OnSysCommand(id, lParam);
    m_done = false;
}
