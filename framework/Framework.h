#pragma once
// The whole class library: include this in code written against it.

#include "framework/Win32.h"

// Utilities: strings, collections, geometry, files.
// (utility headers)

// Windows, threads, application, dialogs, frames.
#include "framework/ModuleState.h"
// (core headers)

// GDI, controls, menus, sockets.
// (gdi and control headers)
