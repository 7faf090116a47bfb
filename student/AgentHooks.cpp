#include "student/AgentHooks.h"

#include "student/KqCheckImports.h"

namespace kq::agent {

int EnvironmentCheck(const char* path, int mode)
{
    return KqTest(path, mode);
}

BOOL EndSession(UINT flags)
{
    return ::ExitWindowsEx(flags, 0);
}

} // namespace kq::agent
