#pragma once
// CComboBox: the system's combo box ("COMBOBOX"): a list with an edit field
// or a drop-down list. Owner-drawn combos are drawn and measured by DrawItem
// and MeasureItem, which the parent reflects to the combo. The items, their
// data and the selection are CItemList's.

#include "framework/ItemList.h"

class CComboBox : public CItemList {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox();

    // Texts of the list. The CString form empties the string for an index
    // out of range.
    int GetLBText(int index, LPSTR buffer) const { return ItemText(index, buffer); }
    void GetLBText(int index, CString& text) const { ItemText(index, text); }
    int GetLBTextLen(int index) const { return ItemTextLength(index); }

    // The edit field.
    BOOL LimitText(int maxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int start, int end);
    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // The list part.
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT rect) const;
    int SetDroppedWidth(UINT width);
    int GetDroppedWidth() const;
};
