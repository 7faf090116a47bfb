#include "teacher/Globals.h"

int ActivityState = 0;
int g_bStuNoDisk = 0;
int FirstPanelShown = 1;
