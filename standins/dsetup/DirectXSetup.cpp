// The DirectX setup library's version query: this platform has DirectX 9.0c.

#include <windows.h>

#include "standins/common/Trace.h"

namespace {
constexpr DWORD kDirectX9Version = 0x00040009;  // 4.09: DirectX 9
constexpr DWORD kDirectX9cRevision = 0x00000904; // 9.0c
}

extern "C" INT WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision)
{
    kq::Trace("dsetup", "DirectXSetupGetVersion version=%s revision=%s",
        version ? "out" : "null", revision ? "out" : "null");
    if (version != nullptr)
        *version = kDirectX9Version;
    if (revision != nullptr)
        *revision = kDirectX9cRevision;
    return TRUE;
}
