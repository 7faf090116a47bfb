#include "widgets/KqToolTip.h"

BOOL CKqToolTip::CreateFor(CWnd* owner, BOOL active, int maxTipWidth)
{
    if (!Create(owner))
        return FALSE;
    Activate(active);
    SetMaxTipWidth(maxTipWidth);
    return TRUE;
}
