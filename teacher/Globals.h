#pragma once
// State that the main window's handlers share.

// What the classroom is doing now (0 idle; the command handlers set the rest).
extern int ActivityState;
// 1 when the classroom runs diskless student PCs.
extern int g_bStuNoDisk;
// 1 while the first command panel is shown.
extern int FirstPanelShown;
