#pragma once
// KqCheck.dll's environment check as the student agent imports it: ordinal 1,
// through the import library made from KqCheckImports.def. (The results are
// named in envcheck/KqCheck.h.)

#include "envcheck/KqCheck.h"

// The start-up check takes the check as a function, so tests can answer it.
using KqTestFunction = int (*)(const char* path, int mode);
