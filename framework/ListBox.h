#pragma once
// CListBox: the system's list box ("LISTBOX"). Owner-drawn lists are drawn,
// measured and sorted by DrawItem, MeasureItem and CompareItem, which the
// parent reflects to the list.

#include "framework/Wnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;

    // A child list box; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Items. Each returns the item's index, or LB_ERR / LB_ERRSPACE.
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    // Returns the number of items left, or LB_ERR.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;

    // Texts. The CString form empties the string for an index out of range.
    int GetText(int index, LPSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int FindString(int startAfter, LPCSTR prefix) const;
    int FindStringExact(int startAfter, LPCSTR text) const;

    // Data kept with each item.
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const;
    int SetItemDataPtr(int index, void* data);

    // Selection of a single-selection list.
    int GetCurSel() const;
    int SetCurSel(int index);
    int SelectString(int startAfter, LPCSTR prefix);
    // Selection of a multiple-selection list.
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maxItems, LPINT indexes) const;

    // Layout.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    int GetItemRect(int index, LPRECT rect) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
    void SetColumnWidth(int width);
    void SetHorizontalExtent(int extent);
};
