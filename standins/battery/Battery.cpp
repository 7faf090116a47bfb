// Keeps the display awake while the screen broadcast engine is open.

#include <windows.h>

#include "standins/common/Trace.h"

extern "C" void DoMakeScreenNotDark()
{
    kq::Trace("battery", "DoMakeScreenNotDark");
    // Continuous: the request lasts until the calling thread ends, which is
    // the engine's host thread for as long as the engine is open.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
}
