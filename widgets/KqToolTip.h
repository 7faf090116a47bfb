#pragma once
// CKqToolTip: the tooltip of the teacher's main window and panels, a system
// tooltip control whose tips wrap at a set width.

#include "framework/Framework.h"
#include "framework/ToolTipCtrl.h"

class CKqToolTip : public CToolTipCtrl {
public:
    CKqToolTip() = default;

    // Creates the control on `owner`, activates it or not, and sets the
    // width at which its tips wrap.
    BOOL CreateFor(CWnd* owner, BOOL active, int maxTipWidth);

    static constexpr int kMainWindowTipWidth = 200;
};
