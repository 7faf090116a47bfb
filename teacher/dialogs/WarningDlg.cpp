#include "teacher/dialogs/WarningDlg.h"

#include "teacher/dialogs/HelpPages.h"
#include "teacher/dialogs/MessageBoxLayout.h"

namespace layout = kq::message_box;

BEGIN_MESSAGE_MAP(CWarningDlg, CSkinDialog)
    ON_BN_CLICKED(CWarningDlg::kConfirmId, OnButtonOk)
END_MESSAGE_MAP()

CWarningDlg::CWarningDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CWarningDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();

    // One warning at a time: the open one stays, this one ends before it is
    // ever shown. (The template's own caption is never "Warning".)
    if (::FindWindowA(nullptr, kTitle) != nullptr) {
        OnCancel();
        return TRUE;
    }

    if (!m_confirm.Create(nullptr, layout::kButtonStyle, layout::kConfirmRect, this, kConfirmId))
        return FALSE;
    m_confirm.LoadBitmaps(layout::kOkUp, layout::kOkDown);
    if (!m_label.Create(m_message, layout::kTextStyle, layout::kTextRect, this, layout::kTextId))
        return FALSE;
    m_label.SetBackColor(layout::kTextBackground);
    SetWindowText(kTitle);
    return TRUE;
}

void CWarningDlg::OnButtonOk()
{
    if (const char* page = kq::HelpPageFor(m_helpId)) {
        // Whether the page opened is not reported: the box closes either way.
        ::ShellExecuteA(m_hWnd, "open", kq::HelpPagePath(page).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    CSkinDialog::OnOK();
}
