#pragma once
// CTreeCtrl: the system's tree-view control (SysTreeView32). Items are named
// by their HTREEITEM; TVN_SELCHANGED and the other notifications reach the
// parent's map with ON_NOTIFY or a derived tree's own map with
// ON_NOTIFY_REFLECT.

#include "framework/Wnd.h"

#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() = default;

    // A child tree view; WS_CHILD is always added.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Inserts an item under `parent` (TVI_ROOT) after `after` (TVI_LAST,
    // TVI_FIRST, TVI_SORT or a sibling); null when it failed. The image
    // shows when the item is not selected, the selected image when it is.
    HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    // Walking the tree: each gives null at the end.
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    // The first visible item, then each next one as the tree shows them.
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
    // The item related to `item` by a TVGN_* code.
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;

    // Selection: SelectItem sends TVN_SELCHANGING and TVN_SELCHANGED.
    BOOL SelectItem(HTREEITEM item);
    HTREEITEM GetSelectedItem() const;

    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCSTR text);
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;

    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    BOOL Expand(HTREEITEM item, UINT code);
    BOOL EnsureVisible(HTREEITEM item);

    // TVSIL_NORMAL or TVSIL_STATE. The tree does not own the image list;
    // SetImageList returns the one set before through this object, or null.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

private:
    static constexpr int kImageListKinds = TVSIL_STATE + 1;
    CImageList* m_imageLists[kImageListKinds] = {};
};
