#pragma once
// CSkinLabel2: the kit's label with lines starting at the left edge.

#include "widgets/PaintedLabel.h"

class CSkinLabel2 : public CPaintedLabel {
public:
    explicit CSkinLabel2(COLORREF background = 0) : CPaintedLabel(background, kq::LabelAlign::Left) {}
};
