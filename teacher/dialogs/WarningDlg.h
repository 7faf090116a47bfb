#pragma once
// CWarningDlg: the teacher's warning, error and notice box: a message and a
// confirm button that first opens the message's help page, if it has one.
// At most one is on the screen at a time, across processes: a box that
// finds a window titled "Warning" ends at once with IDCANCEL, never shown.
//
// DoModal: IDOK from the confirm button or Enter (Enter opens no page),
// IDCANCEL from Esc, the close button or a posted WM_CLOSE.

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CWarningDlg : public CSkinDialog {
public:
    CWarningDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    void SetMessage(const char* text) { m_message = text; }
    // The message becomes string `stringId` of the resource source; the
    // help id stays as it is.
    void LoadMessage(UINT stringId) { m_message.LoadString(stringId); }

    BOOL OnInitDialog() override;

    // The string id whose help page the confirm button opens; 0 for none.
    UINT m_helpId = 0;

    static constexpr const char* kTitle = "Warning";
    static constexpr UINT kConfirmId = 700;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnButtonOk();

    CString m_message;
    CSkinLabel m_label;
    CBitmapButton m_confirm;
};
