#include "broadcast/ViewerTexts.h"

#include "broadcast/EngineEnvironment.h"

#include <mutex>

namespace {

std::mutex g_lock;
std::string g_waiting;

} // namespace

std::string ViewerText(MirageIniLine line)
{
    return EngineEnvironment().Ini().Line(line);
}

std::string WaitingText()
{
    const std::lock_guard<std::mutex> lock(g_lock);
    return g_waiting;
}

void SetWaitingText(const std::string& text)
{
    const std::lock_guard<std::mutex> lock(g_lock);
    g_waiting = text;
}
