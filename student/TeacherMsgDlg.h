#pragma once
// CTeacherMsgDlg: the teacher's text message: its title over the text, the
// text followed by the signature right-aligned, and an OK button.

#include "common/TeacherMessage.h"
#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CTeacherMsgDlg : public CSkinDialog {
public:
    static constexpr UINT kTitleId = 1003;
    static constexpr UINT kTextId = 1004;
    static constexpr UINT kOkId = 102;

    CTeacherMsgDlg();

    // Copies the three fields, each up to its first zero byte and never past
    // its width.
    void SetMessage(const kq::TeacherMessage& message);

    // The text as shown: the message, two line breaks, then the signature
    // right-aligned in 48 characters.
    static CString ComposeText(const CString& text, const CString& signature);

    CString m_title;
    CString m_text;
    CString m_signature;

    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    afx_msg void OnOkButton();

private:
    CFont m_font;
    CSkinLabel m_titleLabel;
    CEdit m_textBox;
    CSkinButton m_ok;
    CBrush m_brush;
};
