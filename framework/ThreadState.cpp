#include "framework/ThreadState.h"

#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

namespace {
// The thread's state once it exists: a plain pointer needs no clean-up of
// its own, so a DLL being unloaded can ask without creating the state.
thread_local AfxThreadState* t_state = nullptr;
} // namespace

AfxThreadState::AfxThreadState() = default;

AfxThreadState::~AfxThreadState()
{
    AfxReleaseThreadHooks();
    t_state = nullptr;
    // The temporary wrappers go with the maps; none of them owns its handle.
}

AfxThreadState& AfxGetThreadState()
{
    static thread_local AfxThreadState state;
    t_state = &state;
    return state;
}

void AfxReleaseThreadHooks()
{
    if (t_state == nullptr)
        return;
    if (t_state->hCbtHook != nullptr)
        ::UnhookWindowsHookEx(t_state->hCbtHook);
    if (t_state->hMsgFilterHook != nullptr)
        ::UnhookWindowsHookEx(t_state->hMsgFilterHook);
    t_state->hCbtHook = nullptr;
    t_state->hMsgFilterHook = nullptr;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}
