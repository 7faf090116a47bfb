#include "widgets/ToggleBitmapButton.h"

BEGIN_MESSAGE_MAP(CToggleBitmapButton, CBitmapButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CToggleBitmapButton::~CToggleBitmapButton()
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    DestroyWindow();
}

void CToggleBitmapButton::OnMouseMove(UINT flags, CPoint point)
{
    SetFocus();
    CBitmapButton::OnMouseMove(flags, point);
}

void CToggleBitmapButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_toggleEnabled)
        m_toggled = !m_toggled;
    CBitmapButton::OnLButtonDown(flags, point);
}
