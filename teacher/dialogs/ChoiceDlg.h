#pragma once
// CChoiceDlg: a question with two answers and a cancel; the question is
// part of the background. DoModal: IDOK for the first answer (and Enter),
// kSecondAnswer for the second, IDCANCEL for cancel, Esc and the close
// button.

#include "widgets/SkinDialog.h"

class CChoiceDlg : public CSkinDialog {
public:
    CChoiceDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    BOOL OnInitDialog() override;

    static constexpr UINT kFirstAnswerId = 791;
    static constexpr UINT kSecondAnswerId = 792;
    static constexpr UINT kCancelId = 705;
    static constexpr int kSecondAnswer = 100;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnSecondAnswer();

private:
    CBitmapButton m_first;
    CBitmapButton m_second;
    CBitmapButton m_cancel;
};
