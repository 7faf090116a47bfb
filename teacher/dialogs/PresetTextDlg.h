#pragma once
// CPresetTextDlg: asks for a text of at most 50 characters, typed or picked
// from preset texts of the resource module, for the notice, the blanked
// screens and the test overlay. The opener chooses the background (the
// question it shows) and may give other presets; GetText is the trimmed text
// after IDOK, empty allowed.

#include "widgets/SkinDialog.h"

#include <vector>

class CPresetTextDlg : public CSkinDialog {
public:
    CPresetTextDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    // The strings listed in the text box, the first also in its edit field.
    void SetPresets(std::vector<UINT> stringIds) { m_presets = std::move(stringIds); }
    CString GetText() const { return m_text; }

    BOOL OnInitDialog() override;

    static constexpr UINT kTextBoxId = 856;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kConfirmId = 706;
    // Characters of CP936, as the edit field counts them.
    static constexpr int kMaxCharacters = 50;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnConfirm();

private:
    std::vector<UINT> m_presets;
    CFont m_font;
    CString m_text;
    CComboBox m_textBox;
    CBitmapButton m_cancel;
    CBitmapButton m_confirm;
};
