#pragma once
// CLineInputDlg: asks for one line of at most 30 characters (the topic of a
// group talk). On IDOK Result() holds it laid out as a group record: the
// first three bytes zero, the text from byte 3, cut to the record and
// always terminated.

#include "common/GroupRecord.h"
#include "widgets/SkinDialog.h"

class CLineInputDlg : public CSkinDialog {
public:
    CLineInputDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    const kq::GroupRecord& Result() const { return m_result; }

    BOOL OnInitDialog() override;

    static constexpr UINT kTextId = 701;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kConfirmId = 706;
    static constexpr int kMaxCharacters = 30;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnConfirm();

private:
    kq::GroupRecord m_result{};
    CFont m_font;
    CEdit m_text;
    CBitmapButton m_cancel;
    CBitmapButton m_confirm;
};
