#pragma once
// CRollCallDlg: the roll call. The student types a short answer; an empty
// answer is refused with a message. Escape and WM_CLOSE do nothing: only
// the teacher's end of the roll call (message 5110, posted to the window
// titled "calling") ends it without an answer.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

class CRollCallDlg : public CSkinDialog {
public:
    static constexpr const char* kTitle = "calling";
    static constexpr UINT WM_END_ROLL_CALL = 5110;
    static constexpr UINT kFieldId = 1000;
    static constexpr UINT kOkId = 102;
    static constexpr int kMaxAnswerChars = 8;

    CRollCallDlg();

    // The answer after OK.
    CString m_answer;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg void OnOkButton();
    afx_msg LRESULT OnEndRollCall(WPARAM, LPARAM);

private:
    CEdit m_field;
    CSkinButton m_ok;
};
