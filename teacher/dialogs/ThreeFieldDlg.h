#pragma once
// CThreeFieldDlg: three texts for the selected students: a short first
// line, a multi-line middle text and a short last line. OK needs all
// three: an empty first or middle field keeps the dialog open silently, an
// empty last field with warning 57468. The texts are taken as typed.

#include "widgets/SkinDialog.h"

class CThreeFieldDlg : public CSkinDialog {
public:
    CThreeFieldDlg();

    BOOL OnInitDialog() override;

    // After IDOK.
    const CString& GetFirstText() const { return m_firstText; }
    const CString& GetMiddleText() const { return m_middleText; }
    const CString& GetLastText() const { return m_lastText; }

    static constexpr UINT kFirstId = 701;
    static constexpr UINT kMiddleId = 702;
    static constexpr UINT kLastId = 703;
    static constexpr UINT kOkId = 704;
    static constexpr UINT kCloseId = 705;
    // Edit limits count characters; the command's fields cut by bytes.
    static constexpr int kFirstLimit = 30;
    static constexpr int kMiddleLimit = 180;
    static constexpr int kLastLimit = 30;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;

private:
    CString m_middleText;
    CString m_lastText;
    CString m_firstText;
    CBitmapButton m_close;
    CBitmapButton m_ok;
    CEdit m_middle;
    CEdit m_last;
    CEdit m_first;
    CFont m_font;
};
