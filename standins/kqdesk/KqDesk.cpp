// The student desktop shell's exports: start it for the agent's frame,
// refresh its shortcuts, close it.

#include <windows.h>

#include "common/KqDeskInput.h"
#include "standins/common/Trace.h"
#include "standins/kqdesk/DeskWindow.h"

namespace {

constexpr int kStarted = 0;

DeskWindow g_desk;

HWND WindowOf(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}

} // namespace

// 1 means failure; anything else means the shell runs.
extern "C" int KqStartKqDesk(const kq::KQDESKINPUT* input)
{
    if (input == nullptr) {
        kq::Trace("KqDesk", "KqStartKqDesk input=null");
        return kq::kDeskStartFailed;
    }
    kq::Trace("KqDesk", "KqStartKqDesk window=%08x edition=%d", input->window, input->edition);
    const HWND frame = WindowOf(input->window);
    if (!IsWindow(frame) || !g_desk.Open(frame, input->edition))
        return kq::kDeskStartFailed;
    return kStarted;
}

extern "C" int KqFreshDesk()
{
    kq::Trace("KqDesk", "KqFreshDesk");
    g_desk.Refresh();
    return 0;
}

extern "C" int KqCloseKqDesk()
{
    kq::Trace("KqDesk", "KqCloseKqDesk");
    g_desk.Close();
    return 0;
}
