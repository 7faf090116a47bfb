#pragma once
// CDeskMessageDlg: the desktop editor's message box: one text from the
// string table, an OK button, at the top-left corner of the screen.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CDeskMessageDlg : public CSkinDialog {
public:
    static constexpr UINT kLabelId = 146;
    static constexpr UINT kOkId = 130;

    explicit CDeskMessageDlg(UINT textId);

    BOOL OnInitDialog() override;
    const CString& Text() const { return m_text; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnOkButton();

private:
    CString m_text;
    CSkinLabel m_label;
    CSkinButton m_ok;
};
