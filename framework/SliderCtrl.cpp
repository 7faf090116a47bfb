#include "framework/SliderCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CWnd::Create(TRACKBAR_CLASSA, nullptr, style | WS_CHILD, rect, parent, id);
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw, maximum);
}

int CSliderCtrl::GetRangeMin() const
{
    return static_cast<int>(SendMessage(TBM_GETRANGEMIN));
}

int CSliderCtrl::GetRangeMax() const
{
    return static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

void CSliderCtrl::SetPos(int position)
{
    SendMessage(TBM_SETPOS, TRUE, position);
}

int CSliderCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(TBM_GETPOS));
}
