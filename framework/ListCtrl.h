#pragma once
// CListCtrl: the system's list-view control (SysListView32) in report view
// (columns of texts) or icon view (an image list's icons with labels).
//
// Its notifications reach the parent's map with ON_NOTIFY (NM_CLICK,
// NM_DBLCLK, LVN_ITEMCHANGED, LVN_KEYDOWN, LVN_BEGINLABELEDIT,
// LVN_ENDLABELEDIT, ...) or a derived list's own map with
// ON_NOTIFY_REFLECT. A label edit is kept when the LVN_ENDLABELEDIT handler
// sets its result to TRUE.

#include "framework/Edit.h"
#include "framework/List.h"
#include "framework/Wnd.h"

#include <commctrl.h>

class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    // A child list view; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // LVS_EX_* styles; each returns the styles before.
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;

    // Columns of the report view. InsertColumn returns the new column's
    // index or -1; a width of -1 leaves the system's width.
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column);
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;

    // Items. InsertItem returns the new item's index or -1.
    int GetItemCount() const;
    int InsertItem(int item, LPCSTR text);
    int InsertItem(int item, LPCSTR text, int image);
    int InsertItem(const LVITEMA* item);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    BOOL SetItem(const LVITEMA* item);
    BOOL GetItem(LVITEMA* item) const;

    // Texts: subItem 0 is the item's label, 1.. its further columns. The
    // CString form is empty for an item out of range.
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPSTR buffer, int size) const;

    // Data kept with each item.
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;

    // The item's image in the image list of its view; -1 when there is none.
    BOOL SetItemImage(int item, int image);
    int GetItemImage(int item) const;

    // State (LVIS_SELECTED, LVIS_FOCUSED, ...) of the bits in `mask`; item
    // -1 sets every item.
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    // The next item after `item` (-1: from the start) with the LVNI_* flags.
    int GetNextItem(int item, int flags) const;
    UINT GetSelectedCount() const;
    // Walks the selected items: the position is null when none is left.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;

    BOOL EnsureVisible(int item, BOOL partialOK);
    // The item found from `start` on (-1: from the start), or -1.
    int FindItem(LVFINDINFOA* find, int start = -1) const;
    // The item at a point of the client area, or -1.
    int HitTest(POINT point, UINT* flags = nullptr) const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;

    // In-place label editing (LVS_EDITLABELS). EditLabel begins it and
    // returns the edit control, or null when it did not begin (the
    // LVN_BEGINLABELEDIT handler may refuse it); GetEditControl gives the
    // edit control while an edit runs.
    CEdit* EditLabel(int item);
    CEdit* GetEditControl() const;

    // LVSIL_NORMAL (icon view), LVSIL_SMALL or LVSIL_STATE. The list does not
    // own the image list; SetImageList returns the one set before through
    // this object, or null.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

private:
    static constexpr int kImageListKinds = LVSIL_STATE + 1;
    CImageList* m_imageLists[kImageListKinds] = {};
    // Wraps the label edit the list view owns, when no object took it over.
    mutable CEdit m_labelEdit;
};
