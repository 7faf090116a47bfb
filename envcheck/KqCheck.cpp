// The environment check library. This first version answers the programs'
// start-up call without checking anything yet: a missing path is refused,
// every other call passes.

#include "envcheck/KqCheck.h"

extern "C" int KqTest(const char* path, int mode)
{
    (void)mode;
    if (path == nullptr)
        return kq::kCheckNoPath;
    return kq::kCheckPassed;
}
