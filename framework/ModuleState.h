#pragma once
// Per-module state: the module's own instance handle and the module that
// strings, bitmaps, icons and dialog templates are loaded from.
//
// The library is linked statically into every program and DLL, so each module
// has its own copy of this state: a DLL with its own resources keeps loading
// them from itself even when its host redirected the host's resource source.

#include "framework/Win32.h"

#include "framework/InstanceHandle.h"

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);
