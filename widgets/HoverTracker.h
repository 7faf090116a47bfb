#pragma once
// Hover tracking shared by the buttons that light up under the mouse: the
// button takes the capture while the pointer is over it, so it sees the
// pointer leave, and lets it go again once the pointer is outside.

#include "framework/Framework.h"

class CHoverTracker {
public:
    bool IsHovering() const { return m_hovering; }

    // Call from the button's WM_MOUSEMOVE. `mayStart` says whether hovering
    // may begin now (some buttons light only in an active window).
    void OnMouseMove(CWnd& button, UINT flags, CPoint point, bool mayStart);

    // Ends hovering (focus lost, button hidden) and repaints the button.
    void Stop(CWnd& button);

private:
    bool m_hovering = false;
};
