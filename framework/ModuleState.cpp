#include "framework/ModuleState.h"

#include <atomic>

// The linker's symbol for the start of this module's image: its handle. The
// library is linked into each module, so this is the exe's handle in the exe
// and the DLL's own handle in a DLL.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
std::atomic<HINSTANCE> g_resourceHandle{nullptr};
}

HINSTANCE AfxGetInstanceHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
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
