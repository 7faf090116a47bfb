#include "framework/IPAddressCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL CIPAddressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CWnd::Create(WC_IPADDRESSA, nullptr, style | WS_CHILD, rect, parent, id);
}

void CIPAddressCtrl::SetAddress(DWORD address)
{
    SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

void CIPAddressCtrl::SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3)
{
    SetAddress(static_cast<DWORD>(MAKEIPADDRESS(field0, field1, field2, field3)));
}

int CIPAddressCtrl::GetAddress(DWORD& address) const
{
    address = 0;
    return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)));
}

int CIPAddressCtrl::GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const
{
    DWORD address = 0;
    const int filled = GetAddress(address);
    field0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
    field1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
    field2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
    field3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
    return filled;
}

void CIPAddressCtrl::ClearAddress()
{
    SendMessage(IPM_CLEARADDRESS);
}

BOOL CIPAddressCtrl::IsBlank() const
{
    return static_cast<BOOL>(SendMessage(IPM_ISBLANK));
}
