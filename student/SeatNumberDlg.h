#pragma once
// CSeatNumberDlg: asks for the PC's seat number and accepts only a seat of
// the classroom (common/SeatNumber.h). A rejected entry shows its message
// and stays open with the text selected for correction. The window title
// "KqInputNumberDlg" lets the agent's clean-up close it with WM_CLOSE.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

class CSeatNumberDlg : public CSkinDialog {
public:
    static constexpr const char* kTitle = "KqInputNumberDlg";
    // The seat text after the Cancel button.
    static constexpr const char* kCancelled = "NULL";
    static constexpr UINT kFieldId = 1000;
    static constexpr UINT kOkId = 102;
    static constexpr UINT kCancelId = 103;

    CSeatNumberDlg();

    // The accepted seat after OK; "NULL" after the Cancel button; left as it
    // was after Escape or WM_CLOSE.
    CString m_seat;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg void OnOkButton();
    afx_msg void OnCancelButton();

private:
    // Selects the field's text for correction, then shows message `textId`.
    void Reject(UINT textId);

    CEdit m_field;
    CSkinButton m_ok;
    CSkinButton m_cancel;
};
