#include "teacher/dialogs/ChoiceDlg.h"

#include "teacher/dialogs/DialogControls.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;

const CRect kFirstRect(62, 123, 105, 143);
const CRect kSecondRect(128, 123, 171, 143);
const CRect kCancelRect(194, 123, 237, 143);

} // namespace

BEGIN_MESSAGE_MAP(CChoiceDlg, CSkinDialog)
    ON_BN_CLICKED(CChoiceDlg::kFirstAnswerId, OnOK)
    ON_BN_CLICKED(CChoiceDlg::kCancelId, OnCancel)
    ON_BN_CLICKED(CChoiceDlg::kSecondAnswerId, OnSecondAnswer)
END_MESSAGE_MAP()

CChoiceDlg::CChoiceDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
{
}

BOOL CChoiceDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    const struct {
        CBitmapButton& button;
        const CRect& rect;
        UINT id;
        UINT up;
        UINT down;
    } buttons[] = {
        {m_first, kFirstRect, kFirstAnswerId, IDB_RESTART_ANSWER_UP, IDB_RESTART_ANSWER_DOWN},
        {m_second, kSecondRect, kSecondAnswerId, IDB_JOIN_ANSWER_UP, IDB_JOIN_ANSWER_DOWN},
        {m_cancel, kCancelRect, kCancelId, IDB_NO_UP, IDB_NO_DOWN},
    };
    for (const auto& b : buttons)
        kq::CreateFaceButton(b.button, this, b.rect, b.id, b.up, b.down);
    return TRUE;
}

void CChoiceDlg::OnSecondAnswer()
{
    EndDialog(kSecondAnswer);
}
