#pragma once
// COwnerDrawListBox: an owner-drawn list box sorted letter-then-number
// (A3 < A12 < B1). Each item's data points to its zero-terminated text,
// owned by the caller; an item without data is neither measured nor drawn.
// The focused item is framed in red.
//
// Create it owner-drawn (LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE) with
// LBS_SORT and without LBS_HASSTRINGS, and add items with AddString(text):
// the pointer becomes the item's data.

#include "framework/Framework.h"

class COwnerDrawListBox : public CListBox {
public:
    COwnerDrawListBox() = default;
    ~COwnerDrawListBox() override;

    void DrawItem(LPDRAWITEMSTRUCT draw) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
    // Null data compares as an empty text: equal to anything.
    int CompareItem(LPCOMPAREITEMSTRUCT compare) override;

    static constexpr COLORREF kFocusFrame = 0x0000FF; // red

protected:
    DECLARE_MESSAGE_MAP()
};
