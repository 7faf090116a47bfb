#pragma once
// CReadOnlyEdit: an edit control that swallows key-down, key-up and
// character messages, so the user can select and scroll with the mouse but
// cannot type, delete or move the caret with keys. The program sets its text.

#include "framework/Framework.h"

class CReadOnlyEdit : public CEdit {
public:
    CReadOnlyEdit() = default;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnChar(UINT key, UINT repeats, UINT flags);
    afx_msg void OnKeyDown(UINT key, UINT repeats, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeats, UINT flags);
};
