#pragma once
// CKqYesNoDlg: the teacher's yes/no question, owned by the main window.
// DoModal: IDOK for yes (button 706 or Enter), IDCANCEL for no (button 705,
// Esc, the close button, or WM_CLOSE posted to the window "KqYesNoDlg").

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CKqYesNoDlg : public CSkinDialog {
public:
    // The parent is not used: the box always belongs to the main window.
    CKqYesNoDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    void SetMessage(const char* text) { m_question = text; }
    void LoadMessage(UINT stringId) { m_question.LoadString(stringId); }

    BOOL OnInitDialog() override;
    void OnOK() override { OnYes(); }
    void OnCancel() override { OnNo(); }

    static constexpr const char* kTitle = "KqYesNoDlg";
    static constexpr UINT kYesId = 706;
    static constexpr UINT kNoId = 705;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnYes();
    afx_msg void OnNo();

    CSkinLabel m_label;
    CBitmapButton m_yes;
    CBitmapButton m_no;
    CString m_question;
};
