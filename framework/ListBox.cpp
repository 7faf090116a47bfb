#include "framework/ListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CItemList)

namespace {
constexpr CItemList::Messages kListBoxMessages = KQ_ITEM_LIST_MESSAGES(LB_, GETTEXT);
} // namespace

CListBox::CListBox() : CItemList("LISTBOX", kListBoxMessages) {}

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
