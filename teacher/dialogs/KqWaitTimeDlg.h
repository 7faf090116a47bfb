#pragma once
// CKqWaitTimeDlg: a notice of its background bitmap only, without buttons,
// that closes itself after a number of seconds (0: it stays until WM_CLOSE
// reaches the window "KqWaitTime", or a key ends it).
// DoModal: IDCANCEL from the time running out, WM_CLOSE or Esc; IDOK after Enter.

#include "widgets/SkinDialog.h"

class CKqWaitTimeDlg : public CSkinDialog {
public:
    CKqWaitTimeDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, int seconds, CWnd* parent);

    BOOL OnInitDialog() override;

    static constexpr const char* kTitle = "KqWaitTime";
    static constexpr UINT_PTR kLifeTimer = 10;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnTimer(UINT_PTR timerId);
    afx_msg void OnClose();

    int m_seconds;
};
