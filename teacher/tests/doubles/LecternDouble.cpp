// Test double of the teacher's Lectern.dll whose open always fails.

#include "standins/common/Trace.h"
#include "standins/lectern/LecternTeacher.h"

extern "C" int LecternOpen(const kq::TeacherConfig*)
{
    kq::Trace("Lectern", "LecternOpen refused by the test double");
    return 0;
}

extern "C" void LecternClose() { kq::Trace("Lectern", "LecternClose"); }
extern "C" void LecternSendCommand(const kq::CommandBlockWithTail*) {}
extern "C" void LecternSetConfig(const kq::TeacherConfig*) {}
extern "C" void LecternSetOptions(const kq::BroadcastOptions*) {}
