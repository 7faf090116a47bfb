#pragma once
// CListBox: the system's list box ("LISTBOX"). Owner-drawn lists are drawn,
// measured and sorted by DrawItem, MeasureItem and CompareItem, which the
// parent reflects to the list. The items, their data and the single
// selection are CItemList's.

#include "framework/ItemList.h"

class CListBox : public CItemList {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();

    // Texts. The CString form empties the string for an index out of range.
    int GetText(int index, LPSTR buffer) const { return ItemText(index, buffer); }
    void GetText(int index, CString& text) const { ItemText(index, text); }
    int GetTextLen(int index) const { return ItemTextLength(index); }

    // Selection of a multiple-selection list.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maxItems, LPINT indexes) const;

    // Layout.
    int GetItemRect(int index, LPRECT rect) const;
    void SetColumnWidth(int width);
    void SetHorizontalExtent(int extent);
};
