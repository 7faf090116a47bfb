// The joiner's program: its application object. The entry point is the
// class library's.

#include "joiner/GhostApp.h"

CKqGhostApp theApp;
