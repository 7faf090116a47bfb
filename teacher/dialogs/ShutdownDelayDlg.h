#pragma once
// CShutdownDelayDlg: asks before the students' PCs are shut down or
// restarted, with an optional delay in seconds. The opener sets the three
// texts, runs DoModal and, on IDOK, reads GetDelaySeconds (0 when the delay
// box is cleared or the field is empty).
//
// The delay goes into a one-byte command parameter: the field accepts 0 to
// 255; anything else shows warning 57469 and the dialog stays open.

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"
#include "widgets/SkinLabel2.h"

#include "framework/SpinButtonCtrl.h"

class CShutdownDelayDlg : public CSkinDialog {
public:
    CShutdownDelayDlg();

    void SetPrompt(const char* text) { m_promptText = text; }
    void SetDelayLabel(const char* text) { m_delayText = text; }
    void SetUnitLabel(const char* text) { m_unitText = text; }

    // After IDOK: 0 to 255.
    int GetDelaySeconds() const { return m_delay; }

    BOOL OnInitDialog() override;

    static constexpr UINT kOkId = 706;
    static constexpr UINT kCloseId = 705;
    static constexpr UINT kDelayBoxId = 720;
    static constexpr UINT kSecondsId = 805;
    static constexpr UINT kSpinId = 812;
    static constexpr const char* kDefaultSeconds = "20";

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnDelayBox();
    afx_msg void OnNoButton();

private:
    CSkinLabel2 m_promptLabel;
    CSkinLabel m_unitLabel;
    CSkinLabel m_delayLabel;
    CBitmapButton m_ok;
    CBitmapButton m_close;
    CButton m_delayBox;
    CEdit m_seconds;
    CString m_unitText;
    CString m_promptText;
    CString m_delayText;
    CSpinButtonCtrl m_spin;
    CString m_secondsText;
    int m_delay = 0;
};
