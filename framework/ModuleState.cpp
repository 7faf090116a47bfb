#include "framework/ModuleState.h"

#include <atomic>

namespace {
std::atomic<HINSTANCE> g_resourceHandle{nullptr};
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE resources = g_resourceHandle.load();
    return resources != nullptr ? resources : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    g_resourceHandle.store(resources);
}
