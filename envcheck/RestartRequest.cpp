#include "envcheck/RestartRequest.h"

namespace kq::check {

BOOL RequestRestart(UINT flags)
{
    return ::ExitWindowsEx(flags, 0);
}

} // namespace kq::check
