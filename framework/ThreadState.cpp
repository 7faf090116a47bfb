#include "framework/ThreadState.h"

#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

namespace {
thread_local AfxThreadState* t_state = nullptr;
} // namespace

AfxThreadState::AfxThreadState() = default;

AfxThreadState::~AfxThreadState()
{
    if (hCbtHook != nullptr)
        ::UnhookWindowsHookEx(hCbtHook);
    if (hMsgFilterHook != nullptr)
        ::UnhookWindowsHookEx(hMsgFilterHook);
    // The temporary wrappers go with the maps; none of them owns its handle.
}

AfxThreadState& AfxGetThreadState()
{
    if (t_state == nullptr)
        t_state = new AfxThreadState;
    return *t_state;
}

void AfxFreeThreadState()
{
    AfxThreadState* state = t_state;
    t_state = nullptr;
    delete state;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}
