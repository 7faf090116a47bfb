#include "framework/TreeCtrl.h"

#include "framework/ImageList.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

// TVM_GETITEM tells no length: the buffer grows until the text fits.
constexpr int kFirstTextSize = 256;

} // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CWnd::Create(WC_TREEVIEWA, nullptr, style | WS_CHILD, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(text);
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

UINT CTreeCtrl::GetCount() const
{
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return GetNextItem(nullptr, TVGN_ROOT);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    return GetNextItem(item, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    return GetNextItem(item, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    return GetNextItem(item, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const
{
    return GetNextItem(item, TVGN_NEXTVISIBLE);
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return GetNextItem(nullptr, TVGN_CARET);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    if (item == nullptr)
        return CString();
    for (size_t room = kFirstTextSize;; room *= 2) {
        // One byte more than the tree may fill, so a cut text still ends inside.
        std::vector<char> buffer(room + 1, '\0');
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = buffer.data();
        info.cchTextMax = static_cast<int>(room);
        if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
            return CString();
        const size_t length = std::strlen(buffer.data());
        if (length + 1 < room)
            return CString(buffer.data(), static_cast<int>(length));
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text)
{
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    TVITEMA info = {};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    image = info.iImage;
    selectedImage = info.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int kind)
{
    if (kind < 0 || kind >= kImageListKinds)
        return nullptr;
    SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list->GetSafeHandle()));
    CImageList* previous = m_imageLists[kind];
    m_imageLists[kind] = list;
    return previous;
}

CImageList* CTreeCtrl::GetImageList(int kind) const
{
    return kind >= 0 && kind < kImageListKinds ? m_imageLists[kind] : nullptr;
}
