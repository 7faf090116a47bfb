#include "widgets/ReadOnlyEdit.h"

BEGIN_MESSAGE_MAP(CReadOnlyEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

// The keys never reach the edit control.
void CReadOnlyEdit::OnChar(UINT, UINT, UINT) {}
void CReadOnlyEdit::OnKeyDown(UINT, UINT, UINT) {}
void CReadOnlyEdit::OnKeyUp(UINT, UINT, UINT) {}
