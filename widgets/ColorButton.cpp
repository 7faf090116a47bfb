#include "widgets/ColorButton.h"

#include "widgets/KitColours.h"

BEGIN_MESSAGE_MAP(CColorButton, CButton)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorButton::CColorButton() : m_background(kq::kKitBackground), m_text(kq::kKitText), m_brush(kq::kKitBackground) {}

CColorButton::CColorButton(COLORREF background, bool backgroundOnly)
    : m_background(background), m_text(kq::kKitText), m_brush(background), m_backgroundOnly(backgroundOnly)
{
}

HBRUSH CColorButton::CtlColor(CDC* dc, UINT)
{
    dc->SetBkColor(m_background);
    if (!m_backgroundOnly)
        dc->SetTextColor(m_text);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}
