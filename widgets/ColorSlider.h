#pragma once
// CColorSlider: a trackbar painted on the kit's background colour.

#include "framework/Framework.h"
#include "framework/SliderCtrl.h"

class CColorSlider : public CSliderCtrl {
public:
    CColorSlider();
    // Painted on `background`; with `backgroundOnly` the control-colour
    // message sets only the background colour and leaves the text's alone.
    CColorSlider(COLORREF background, bool backgroundOnly);

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
