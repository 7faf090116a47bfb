#include "framework/ListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CItemList)

namespace {

// In the order of CItemList::Messages.
constexpr CItemList::Messages kListBoxMessages = {
    LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
    LB_GETTEXT, LB_GETTEXTLEN, LB_FINDSTRING, LB_FINDSTRINGEXACT,
    LB_GETITEMDATA, LB_SETITEMDATA, LB_GETCURSEL, LB_SETCURSEL, LB_SELECTSTRING,
    LB_SETITEMHEIGHT, LB_GETITEMHEIGHT, LB_GETTOPINDEX, LB_SETTOPINDEX,
};

} // namespace

CListBox::CListBox() : CItemList(kListBoxMessages) {}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("LISTBOX", nullptr, style | WS_CHILD, rect, parent, id);
}

int CListBox::GetSel(int index) const
{
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
}

int CListBox::SetSel(int index, BOOL select)
{
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(SendMessage(LB_GETSELCOUNT));
}

int CListBox::GetSelItems(int maxItems, LPINT indexes) const
{
    return static_cast<int>(
        SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(indexes)));
}

int CListBox::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

void CListBox::SetColumnWidth(int width)
{
    SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width));
}

void CListBox::SetHorizontalExtent(int extent)
{
    SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent));
}
