#pragma once
// CTestTimeDlg: lengthens or shortens a running online test. The opener
// sets the minutes left, runs DoModal and, on IDOK, reads the signed change
// (negative shortens). A test is never shortened past its end.

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CTestTimeDlg : public CSkinDialog {
public:
    CTestTimeDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    void SetRemainingMinutes(int minutes) { m_remaining = minutes; }
    // After IDOK: the change in minutes, negative to shorten.
    int GetMinutes() const { return m_minutes; }

    BOOL OnInitDialog() override;

    static constexpr UINT kMinutesId = 720;
    static constexpr UINT kLengthenId = 861;
    static constexpr UINT kShortenId = 862;
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCancelId = 705;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnCancelButton();

private:
    int m_remaining = 0;
    int m_minutes = 0;
    CFont m_font;
    CSkinLabel m_remainingLabel;
    CEdit m_minutesEdit;
    CButton m_lengthen;
    CButton m_shorten;
    CBitmapButton m_ok;
    CBitmapButton m_cancel;
};
