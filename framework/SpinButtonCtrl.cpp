#include "framework/SpinButtonCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
    return CWnd::Create(UPDOWN_CLASSA, nullptr, style | WS_CHILD, rect, parent, id);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    return CWnd::FromHandle(
        reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->GetSafeHwnd()))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

void CSpinButtonCtrl::SetRange(short lower, short upper)
{
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int position)
{
    return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(position, 0))));
}

int CSpinButtonCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(UDM_GETPOS));
}

int CSpinButtonCtrl::SetPos32(int position)
{
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position));
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const
{
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}
