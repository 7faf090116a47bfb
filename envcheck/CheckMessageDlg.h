#pragma once
// CCheckMessageDlg: the library's small message box: a message of the
// library's string table on a label, and an OK button.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CCheckMessageDlg : public CSkinDialog {
public:
    explicit CCheckMessageDlg(UINT messageId, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    static constexpr UINT kLabelId = 15;
    static constexpr UINT kOkId = 14;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnOkButton();

private:
    CString m_text;
    CSkinLabel m_label;
    CSkinButton m_ok;
};
