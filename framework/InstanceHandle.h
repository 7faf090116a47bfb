#pragma once
// The handle of the module this code is linked into: the exe's in the exe,
// the DLL's own in a DLL. Header-only, and with no more of Win32 than it
// needs, so that code linked without the library (common/, the stand-ins)
// asks the same way whatever Win32 headers it includes before or after.

#include <windef.h>
#include <winnt.h>

// The linker's symbol for the start of this module's image.
extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE AfxGetInstanceHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}
