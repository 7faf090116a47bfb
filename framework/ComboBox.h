#pragma once
// CComboBox: the system's combo box ("COMBOBOX"): a list with an edit field
// or a drop-down list. Owner-drawn combos are drawn and measured by DrawItem
// and MeasureItem, which the parent reflects to the combo.

#include "framework/Wnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;

    // A child combo box; WS_CHILD is always added. The rectangle's height
    // includes the dropped-down list.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Items. Each returns the item's index, or CB_ERR / CB_ERRSPACE.
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    // Returns the number of items left, or CB_ERR.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;

    // Texts of the list. The CString form empties the string for an index
    // out of range.
    int GetLBText(int index, LPSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCSTR prefix) const;
    int FindStringExact(int startAfter, LPCSTR text) const;

    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const;
    int SetItemDataPtr(int index, void* data);

    int GetCurSel() const;
    int SetCurSel(int index);
    int SelectString(int startAfter, LPCSTR prefix);

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
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
};
