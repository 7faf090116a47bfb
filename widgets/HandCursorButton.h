#pragma once
// CHandCursorButton: the framework's auto-loading bitmap button (its faces
// named by its caption, AutoLoad) that shows the program's hand cursor: on
// each mouse move and left button press and release it first sets the
// cursor resource it was given, then does the default processing. The
// cursor is loaded from the module that owns the resources (the framework's
// module state), so a library's button finds the library's cursor.

#include "framework/Framework.h"

class CHandCursorButton : public CBitmapButton {
public:
    explicit CHandCursorButton(UINT cursorId) : m_cursorId(cursorId) {}

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);

private:
    void ShowHandCursor() const;

    UINT m_cursorId;
};
