#pragma once
// CSkinLabel: the kit's label. The teacher's has centred lines (the message
// boxes' text); a program that passes its look gets the look's alignment and
// line breaking (the student agent's: by style, broken by CP936 cells).

#include "widgets/PaintedLabel.h"

class CSkinLabel : public CPaintedLabel {
public:
    explicit CSkinLabel(COLORREF background = 0) : CPaintedLabel(background, kq::LabelAlign::Centre) {}
    CSkinLabel(COLORREF background, const kq::SkinLook& look)
        : CPaintedLabel(background, look.labelAlign, look.labelBreaking)
    {
    }
};
