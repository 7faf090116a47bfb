#include "framework/ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CItemList)

namespace {

// In the order of CItemList::Messages.
constexpr CItemList::Messages kComboBoxMessages = {
    CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
    CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_FINDSTRING, CB_FINDSTRINGEXACT,
    CB_GETITEMDATA, CB_SETITEMDATA, CB_GETCURSEL, CB_SETCURSEL, CB_SELECTSTRING,
    CB_SETITEMHEIGHT, CB_GETITEMHEIGHT, CB_GETTOPINDEX, CB_SETTOPINDEX,
};

} // namespace

CComboBox::CComboBox() : CItemList(kComboBoxMessages) {}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("COMBOBOX", nullptr, style | WS_CHILD, rect, parent, id);
}

BOOL CComboBox::LimitText(int maxChars)
{
    return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)));
}

DWORD CComboBox::GetEditSel() const
{
    return static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
}

BOOL CComboBox::SetEditSel(int start, int end)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)));
}

void CComboBox::Clear()
{
    SendMessage(WM_CLEAR);
}

void CComboBox::Copy()
{
    SendMessage(WM_COPY);
}

void CComboBox::Cut()
{
    SendMessage(WM_CUT);
}

void CComboBox::Paste()
{
    SendMessage(WM_PASTE);
}

void CComboBox::ShowDropDown(BOOL show)
{
    SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show));
}

BOOL CComboBox::GetDroppedState() const
{
    return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}

void CComboBox::GetDroppedControlRect(LPRECT rect) const
{
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect));
}

int CComboBox::SetDroppedWidth(UINT width)
{
    return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width));
}

int CComboBox::GetDroppedWidth() const
{
    return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH));
}
