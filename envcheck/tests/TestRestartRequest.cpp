// The test build's restart: traced, never done.

#include "envcheck/RestartRequest.h"
#include "standins/common/Trace.h"

namespace kq::check {

BOOL RequestRestart(UINT flags)
{
    kq::Trace("KqCheck", "RequestRestart flags=0x%x", flags);
    return TRUE;
}

} // namespace kq::check
