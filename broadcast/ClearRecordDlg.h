#pragma once
// The confirmation before a recording is cleared: a modeless dialog of the
// record bar. Confirm posts WM_MIRAGE_CLEAR_CONFIRMED to the bar; either
// button hides the dialog and shows the bar again. The system close is
// ignored while the dialog waits for an answer.

#include "framework/Framework.h"

class CClearRecordDlg : public CDialog {
public:
    // Creates the dialog hidden, with the Mirage.ini texts.
    BOOL CreateFor(CWnd* parent);
    void ClearDone() { m_done = false; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Answer(bool confirmed);

    CWnd* m_parent = nullptr;
    bool m_done = false;
};
