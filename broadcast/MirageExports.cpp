// The exports of Mirage.dll: thin calls into the engine.

#include "broadcast/MirageExports.h"

#include "broadcast/MirageEngine.h"

extern "C" {

int DoOpenMirage(int mode) { return MirageEngine().Open(mode); }
int DoCloseMirage() { return MirageEngine().Close(); }
int DoStop() { return MirageEngine().Stop(); }

int DoTeacherTeacherDemo(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::TeacherTeacherDemo, o); }
int DoStudentTeacherDemo(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentTeacherDemo, o); }
int DoTeacherStudentDemo(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::TeacherStudentDemo, o); }
int DoStudentStudentDemo(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentStudentDemo, o); }
int DoStudentStudentDemoOther(MirageOptions* o)
{
    return MirageEngine().RunMode(MirageMode::StudentStudentDemoOther, o);
}
int DoTeacherTeacherHandle(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::TeacherTeacherHandle, o); }
int DoStudentTeacherHandle(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentTeacherHandle, o); }
int DoStudentTeacherHandleOther(MirageOptions* o)
{
    return MirageEngine().RunMode(MirageMode::StudentTeacherHandleOther, o);
}
int DoTeacherMonitor(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::TeacherMonitor, o); }
int DoStudentMonitor(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentMonitor, o); }
int DoTeacherMultiMonitor(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::TeacherMultiMonitor, o); }
int DoStudentMultiMonitor(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentMultiMonitor, o); }
int DoStudentPlay(MirageOptions* o) { return MirageEngine().RunMode(MirageMode::StudentPlay, o); }

int DoExecScreen(MirageOptions* o, int studentSide, int other, int kind)
{
    return MirageEngine().ExecScreen(o, studentSide, other, kind);
}

void DoReSetOption(MirageResetOptions* o) { MirageEngine().ResetOptions(o); }

} // extern "C"
