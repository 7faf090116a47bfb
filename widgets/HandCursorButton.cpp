#include "widgets/HandCursorButton.h"

BEGIN_MESSAGE_MAP(CHandCursorButton, CBitmapButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CHandCursorButton::ShowHandCursor() const
{
    // A shared cursor resource: loading it again gives the same handle.
    if (HCURSOR hand = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_cursorId)))
        ::SetCursor(hand);
}

void CHandCursorButton::OnMouseMove(UINT flags, CPoint point)
{
    ShowHandCursor();
    CBitmapButton::OnMouseMove(flags, point);
}

void CHandCursorButton::OnLButtonDown(UINT flags, CPoint point)
{
    ShowHandCursor();
    CBitmapButton::OnLButtonDown(flags, point);
}

void CHandCursorButton::OnLButtonUp(UINT flags, CPoint point)
{
    ShowHandCursor();
    CBitmapButton::OnLButtonUp(flags, point);
}
