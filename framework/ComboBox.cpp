#include "framework/ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CItemList)

namespace {
constexpr CItemList::Messages kComboBoxMessages = KQ_ITEM_LIST_MESSAGES(CB_, GETLBTEXT);
} // namespace

CComboBox::CComboBox() : CItemList("COMBOBOX", kComboBoxMessages) {}

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
