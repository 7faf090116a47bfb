#include "teacher/dialogs/KqYesNoDlg.h"

#include "teacher/dialogs/MessageBoxLayout.h"

namespace layout = kq::message_box;

BEGIN_MESSAGE_MAP(CKqYesNoDlg, CSkinDialog)
    ON_BN_CLICKED(CKqYesNoDlg::kYesId, OnYes)
    ON_BN_CLICKED(CKqYesNoDlg::kNoId, OnNo)
END_MESSAGE_MAP()

CKqYesNoDlg::CKqYesNoDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd*)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, nullptr)
{
}

BOOL CKqYesNoDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    // A button that cannot be made leaves the keys and the close button.
    if (m_yes.Create(nullptr, layout::kButtonStyle, layout::kYesRect, this, kYesId))
        m_yes.LoadBitmaps(layout::kOkUp, layout::kOkDown);
    if (m_no.Create(nullptr, layout::kButtonStyle, layout::kNoRect, this, kNoId))
        m_no.LoadBitmaps(layout::kNoUp, layout::kNoDown);
    if (!m_label.Create(m_question, layout::kTextStyle, layout::kTextRect, this, layout::kTextId))
        return FALSE;
    m_label.SetBackColor(layout::kTextBackground);
    SetWindowText(kTitle);
    return TRUE;
}

void CKqYesNoDlg::OnYes()
{
    EndDialog(IDOK);
}

void CKqYesNoDlg::OnNo()
{
    EndDialog(IDCANCEL);
}
