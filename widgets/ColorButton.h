#pragma once
// CColorButton: a button (in practice a check box or radio button) whose
// text and background paint in the kit's colours.

#include "framework/Framework.h"

class CColorButton : public CButton {
public:
    CColorButton();
    // Painted on `background`; with `backgroundOnly` the control-colour
    // message sets only the background colour and leaves the text's alone.
    CColorButton(COLORREF background, bool backgroundOnly);

protected:
    DECLARE_MESSAGE_MAP()
    // Reflected WM_CTLCOLOR*: the kit's colours and brush.
    afx_msg HBRUSH CtlColor(CDC* dc, UINT controlType);

private:
    COLORREF m_background;
    COLORREF m_text;
    CBrush m_brush;
    bool m_backgroundOnly = false;
};
