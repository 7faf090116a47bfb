#pragma once
// The exports of Mirage.dll, by name: the engine's whole interface to the
// program that hosts it. Every export is called on the thread that owns the
// host's window; the engine answers with WM_MIRAGE_NOTIFY posted there.

#include "broadcast/MirageOptions.h"
#include "broadcast/MirageResetOptions.h"

extern "C" {

// 0 ok, -1 failure (or already open).
int DoOpenMirage(int mode);
int DoCloseMirage();
int DoStop();

// The mode exports: 0, whatever they did.
int DoTeacherTeacherDemo(MirageOptions* options);
int DoStudentTeacherDemo(MirageOptions* options);
int DoTeacherStudentDemo(MirageOptions* options);
int DoStudentStudentDemo(MirageOptions* options);
int DoStudentStudentDemoOther(MirageOptions* options);
int DoTeacherTeacherHandle(MirageOptions* options);
int DoStudentTeacherHandle(MirageOptions* options);
int DoStudentTeacherHandleOther(MirageOptions* options);
int DoTeacherMonitor(MirageOptions* options);
int DoStudentMonitor(MirageOptions* options);
int DoTeacherMultiMonitor(MirageOptions* options);
int DoStudentMultiMonitor(MirageOptions* options);
int DoStudentPlay(MirageOptions* options);

int DoExecScreen(MirageOptions* options, int studentSide, int other, int kind);
void DoReSetOption(MirageResetOptions* options);

} // extern "C"

using DoOpenMirageProc = int (*)(int);
using DoVoidProc = int (*)();
using DoModeProc = int (*)(MirageOptions*);
using DoExecScreenProc = int (*)(MirageOptions*, int, int, int);
using DoReSetOptionProc = void (*)(MirageResetOptions*);
