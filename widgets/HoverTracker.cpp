#include "widgets/HoverTracker.h"

void CHoverTracker::OnMouseMove(CWnd& button, UINT flags, CPoint point, bool mayStart)
{
    // A press dragged onto the button does not light it.
    if ((flags & MK_LBUTTON) && !m_hovering)
        return;
    if (::GetCapture() != button.m_hWnd) {
        if (mayStart) {
            m_hovering = true;
            button.SetCapture();
            button.Invalidate();
        }
        return;
    }
    CRect client;
    button.GetClientRect(&client);
    if (client.PtInRect(point))
        return;
    Stop(button);
    // A press that started here keeps the capture until the button is released.
    if (!(flags & MK_LBUTTON))
        ::ReleaseCapture();
}

void CHoverTracker::Stop(CWnd& button)
{
    if (!m_hovering)
        return;
    m_hovering = false;
    button.Invalidate();
}
