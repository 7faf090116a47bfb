#pragma once
// CItemList: what the system's list box and combo box share: a list of text
// items, each with a value of its own, one current selection, the height of
// the items and the first one shown. Both controls take the same requests
// under message numbers of their own, which each names once in a table.

#include "framework/Wnd.h"

class CItemList : public CWnd {
    DECLARE_DYNAMIC(CItemList)
public:
    // The control's numbers for the shared requests.
    struct Messages {
        UINT addString, insertString, deleteString, resetContent, getCount;
        UINT getText, getTextLen, findString, findStringExact;
        UINT getItemData, setItemData;
        UINT getCurSel, setCurSel, selectString;
        UINT setItemHeight, getItemHeight, getTopIndex, setTopIndex;
    };
    // What every request answers for an index out of range (LB_ERR, CB_ERR).
    static constexpr int kError = -1;

    // A child control of the class; WS_CHILD is always added. A combo box's
    // rectangle includes its dropped-down list.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Items. Each returns the item's index, or kError / the "no space" code.
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    // Returns the number of items left, or kError.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int FindString(int startAfter, LPCSTR prefix) const;
    int FindStringExact(int startAfter, LPCSTR text) const;

    // Data kept with each item.
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const;
    int SetItemDataPtr(int index, void* data);

    // The selection of a single-selection list.
    int GetCurSel() const;
    int SetCurSel(int index);
    int SelectString(int startAfter, LPCSTR prefix);

    // Layout.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);

protected:
    CItemList(const char* windowClass, const Messages& messages) : m_windowClass(windowClass), m_messages(messages) {}

    // The text of an item (GetText of a list box, GetLBText of a combo box).
    // The CString form empties the string for an index out of range.
    int ItemText(int index, LPSTR buffer) const;
    void ItemText(int index, CString& text) const;
    int ItemTextLength(int index) const;

private:
    const char* m_windowClass;
    const Messages& m_messages;
};

// The Messages table of a control whose messages are P##ADDSTRING and so on
// (P: LB_, CB_), TEXT naming its item-text request (GETTEXT, GETLBTEXT).
#define KQ_ITEM_LIST_MESSAGES(P, TEXT)                                                                        \
    {P##ADDSTRING,   P##INSERTSTRING,  P##DELETESTRING, P##RESETCONTENT,    P##GETCOUNT,    P##TEXT,          \
     P##TEXT##LEN,   P##FINDSTRING,    P##FINDSTRINGEXACT, P##GETITEMDATA,  P##SETITEMDATA, P##GETCURSEL,     \
     P##SETCURSEL,   P##SELECTSTRING,  P##SETITEMHEIGHT, P##GETITEMHEIGHT,  P##GETTOPINDEX, P##SETTOPINDEX}
