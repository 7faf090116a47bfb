#include "widgets/NumSpinCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CNumSpinCtrl, CSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CNumSpinCtrl, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

CNumEdit* CNumSpinCtrl::NumBuddy() const
{
    const HWND buddy = reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY));
    CWnd* object = CWnd::FromHandlePermanent(buddy);
    if (object == nullptr || !object->IsKindOf(RUNTIME_CLASS(CNumEdit)))
        return nullptr;
    return static_cast<CNumEdit*>(object);
}

void CNumSpinCtrl::SetDelta(float delta)
{
    if (CNumEdit* edit = NumBuddy())
        edit->SetDelta(delta);
}

float CNumSpinCtrl::GetDelta()
{
    CNumEdit* edit = NumBuddy();
    return edit != nullptr ? edit->GetDelta() : 0.0f;
}

void CNumSpinCtrl::SetBuddy(CNumEdit* edit)
{
    SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->GetSafeHwnd()));
    if (edit != nullptr && edit->IsKindOf(RUNTIME_CLASS(CNumEdit)))
        edit->SetValue(0.0f);
}

CWnd* CNumSpinCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

void CNumSpinCtrl::GetRange(float* minimum, float* maximum)
{
    if (CNumEdit* edit = NumBuddy())
        edit->GetRange(minimum, maximum);
}

void CNumSpinCtrl::SetRange(float minimum, float maximum)
{
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(kOwnRange, 0));
    if (CNumEdit* edit = NumBuddy())
        edit->SetRange(minimum, maximum);
}

float CNumSpinCtrl::GetPos()
{
    CNumEdit* edit = NumBuddy();
    return edit != nullptr ? edit->GetValue() : 0.0f;
}

void CNumSpinCtrl::SetPos(float value)
{
    SendMessage(UDM_SETPOS, 0, MAKELPARAM(kOwnMiddle, 0));
    if (CNumEdit* edit = NumBuddy())
        edit->SetValue(value);
}

void CNumSpinCtrl::OnDeltaPos(NMHDR* header, LRESULT* result)
{
    auto* change = reinterpret_cast<NMUPDOWN*>(header);
    // Back to the middle before an end is reached.
    if (change->iPos <= change->iDelta || change->iPos >= kOwnRange - change->iDelta)
        change->iPos = kOwnMiddle;
    CNumEdit* edit = NumBuddy();
    if (edit != nullptr)
        edit->ChangeBy(change->iDelta);
    if (CWnd* parent = GetParent())
        parent->PostMessage(kStepped, 0, reinterpret_cast<LPARAM>(edit));
    *result = 0;
}
