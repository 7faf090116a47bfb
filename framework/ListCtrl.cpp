#include "framework/ListCtrl.h"

#include "common/TextField.h"
#include "framework/ImageList.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

// LVM_GETITEMTEXT tells no length: the buffer grows until the text fits.
constexpr int kFirstTextSize = 256;

// A selected item's position: its index + 1, so that null ends the walk.
POSITION PositionOf(int item)
{
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(item) + 1);
}

int ItemOf(POSITION position)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
}

} // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CWnd::Create(WC_LISTVIEWA, nullptr, style | WS_CHILD, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem)
{
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<LPSTR>(heading);
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::DeleteColumn(int column)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::InsertItem(int item, LPCSTR text)
{
    LVITEMA info = {};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<LPSTR>(text);
    return InsertItem(&info);
}

int CListCtrl::InsertItem(int item, LPCSTR text, int image)
{
    LVITEMA info = {};
    info.mask = LVIF_TEXT | LVIF_IMAGE;
    info.iItem = item;
    info.pszText = const_cast<LPSTR>(text);
    info.iImage = image;
    return InsertItem(&info);
}

int CListCtrl::InsertItem(const LVITEMA* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::DeleteItem(int item)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

BOOL CListCtrl::SetItem(const LVITEMA* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::GetItem(LVITEMA* item) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text)
{
    LVITEMA info = {};
    info.iSubItem = subItem;
    info.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::GetItemText(int item, int subItem, LPSTR buffer, int size) const
{
    if (buffer == nullptr || size <= 0)
        return 0;
    const CString text = GetItemText(item, subItem);
    // As much as fits, never half a double-byte character.
    int length = 0;
    while (length < text.GetLength()) {
        const int width = kq::IsCp936LeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + width > size - 1 || length + width > text.GetLength())
            break;
        length += width;
    }
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(length));
    buffer[length] = '\0';
    return length;
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    if (item < 0 || item >= GetItemCount())
        return CString();
    for (size_t room = kFirstTextSize;; room *= 2) {
        // One byte more than the list may fill: a list view that leaves a cut
        // text unterminated still ends inside the buffer.
        std::vector<char> buffer(room + 1, '\0');
        LVITEMA info = {};
        info.iSubItem = subItem;
        info.pszText = buffer.data();
        info.cchTextMax = static_cast<int>(room);
        SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info));
        const size_t length = std::strlen(buffer.data());
        if (length + 1 < room)
            return CString(buffer.data(), static_cast<int>(length));
    }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMA info = {};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMA info = {};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CListCtrl::SetItemImage(int item, int image)
{
    LVITEMA info = {};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    info.iImage = image;
    return SetItem(&info);
}

int CListCtrl::GetItemImage(int item) const
{
    LVITEMA info = {};
    info.mask = LVIF_IMAGE;
    info.iItem = item;
    return GetItem(&info) ? info.iImage : -1;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA info = {};
    info.state = state;
    info.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}

int CListCtrl::GetNextItem(int item, int flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), MAKELPARAM(flags, 0)));
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : PositionOf(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    const int item = ItemOf(position);
    const int next = GetNextItem(item, LVNI_SELECTED);
    position = next < 0 ? nullptr : PositionOf(next);
    return item;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), MAKELPARAM(partialOK, 0)));
}

int CListCtrl::FindItem(LVFINDINFOA* find, int start) const
{
    return static_cast<int>(SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
}

int CListCtrl::HitTest(POINT point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags != nullptr)
        *flags = info.flags;
    return item;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    if (rect == nullptr)
        return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

CEdit* CListCtrl::EditLabel(int item)
{
    SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(item));
    return GetEditControl();
}

CEdit* CListCtrl::GetEditControl() const
{
    HWND edit = reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL));
    if (edit == nullptr)
        return nullptr;
    // An object that subclassed the edit answers for it.
    CWnd* owner = FromHandlePermanent(edit);
    if (owner != nullptr && owner->IsKindOf(RUNTIME_CLASS(CEdit)))
        return static_cast<CEdit*>(owner);
    m_labelEdit.m_hWnd = edit;
    return &m_labelEdit;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    if (kind < 0 || kind >= kImageListKinds)
        return nullptr;
    SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list->GetSafeHandle()));
    CImageList* previous = m_imageLists[kind];
    m_imageLists[kind] = list;
    return previous;
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return kind >= 0 && kind < kImageListKinds ? m_imageLists[kind] : nullptr;
}
