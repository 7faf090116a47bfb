#include "broadcast/ModeTable.h"

#include "broadcast/MirageMessageIds.h"

namespace {

using M = MirageMode;
using T = MirageThread;
using R = RecordBarRule;

constexpr MirageThreadCommand kStartSender = {T::Sender, MT_START_SENDER};
constexpr MirageThreadCommand kStartCursor = {T::Cursor, MT_START_CURSOR};
constexpr MirageThreadCommand kOpenViewer = {T::Viewer, MT_OPEN_VIEWER};
constexpr MirageThreadCommand kNone = {T::Viewer, 0};

// clang-format off
// mode, export, side, kind, viewState,
//   inputRole, showRemoteCursor, pointerRole, keyRole, windowedView, lockSystemKeys, dodgeView,
//   idListMode, viewMenu, monitorNotice,
//   recordBar, studentDemoView, windowedPair, clearsGridMode, commands, count, waits
constexpr MirageModeRow kRows[kMirageModeCount] = {
    {M::TeacherTeacherDemo, "DoTeacherTeacherDemo", 0, 0, 1,
     1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
     R::Off, 0, false, false, {kStartSender, kStartCursor}, 2, true},
    {M::StudentTeacherDemo, "DoStudentTeacherDemo", 1, 0, 3,
     0, 1, 0, 0, 0, 0, 1, 0, 0, 0,
     R::AsOptions, 1, true, false, {kOpenViewer, kNone}, 1, true},
    {M::TeacherStudentDemo, "DoTeacherStudentDemo", 0, 3, 3,
     0, 1, 0, 0, 1, 0, 0, 0, 3, 0,
     R::Off, 0, false, false, {kOpenViewer, kNone}, 1, true},
    {M::StudentStudentDemo, "DoStudentStudentDemo", 1, 3, 1,
     1, 0, 0, 0, 0, 1, 0, 0, 0, 0,
     R::Off, 0, false, false, {kStartSender, kStartCursor}, 2, true},
    {M::StudentStudentDemoOther, "DoStudentStudentDemoOther", 1, 3, 3,
     0, 1, 0, 0, 0, 0, 1, 0, 0, 0,
     R::Off, 0, true, false, {kOpenViewer, kNone}, 1, true},
    {M::TeacherTeacherHandle, "DoTeacherTeacherHandle", 0, 1, 3,
     2, 1, 0, 1, 0, 0, 0, 0, 0, 0,
     R::Off, 0, false, false, {kOpenViewer, kNone}, 1, true},
    {M::StudentTeacherHandle, "DoStudentTeacherHandle", 1, 1, 1,
     1, 0, 1, 2, 0, 1, 0, 0, 0, 0,
     R::Off, 0, false, false, {kStartSender, kStartCursor}, 2, true},
    {M::StudentTeacherHandleOther, "DoStudentTeacherHandleOther", 1, 2, 3,
     0, 1, 0, 0, 0, 0, 1, 0, 0, 0,
     R::Off, 0, true, false, {kOpenViewer, kNone}, 1, true},
    {M::TeacherMonitor, "DoTeacherMonitor", 0, 4, 3,
     0, 0, 0, 0, 1, 0, 0, 1, 1, 1,
     R::Off, 0, false, false, {kOpenViewer, kNone}, 1, true},
    {M::StudentMonitor, "DoStudentMonitor", 1, 4, 2,
     0, 0, 0, 0, 0, 1, 0, 0, 0, 1,
     R::Off, 0, false, true, {kStartSender, kNone}, 1, true},
    {M::TeacherMultiMonitor, "DoTeacherMultiMonitor", 0, 5, 5,
     0, 0, 0, 0, 0, 0, 0, 2, 2, 0,
     R::Off, 0, false, false, {kOpenViewer, kNone}, 1, true},
    {M::StudentMultiMonitor, "DoStudentMultiMonitor", 1, 5, 2,
     0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
     R::Off, 0, false, true, {kStartSender, kNone}, 1, true},
    {M::StudentPlay, "DoStudentPlay", 1, 6, 3,
     0, 1, 0, 0, 0, 0, 1, 0, 0, 0,
     R::On, 0, true, false, {kOpenViewer, kNone}, 1, false},
};
// clang-format on

// DoExecScreen kinds.
constexpr int kExecTeachingDemo = 1;
constexpr int kExecTutoring = 2;
constexpr int kExecTutoringOrOther = 3;
constexpr int kExecStudentDemo = 4;
constexpr int kExecMonitor = 5;
constexpr int kExecMultiMonitor = 6;

} // namespace

const MirageModeRow& ModeRow(MirageMode mode)
{
    return kRows[static_cast<size_t>(mode)];
}

std::optional<MirageMode> ExecScreenMode(int studentSide, int other, int kind)
{
    const bool student = studentSide != 0;
    switch (kind) {
    case kExecTeachingDemo:
        return student ? M::StudentTeacherDemo : M::TeacherTeacherDemo;
    case kExecTutoring:
        return student ? M::StudentTeacherHandle : M::TeacherTeacherHandle;
    case kExecTutoringOrOther:
        if (!student)
            return M::TeacherTeacherHandle;
        return other != 0 ? M::StudentTeacherHandleOther : M::StudentTeacherHandle;
    case kExecStudentDemo:
        if (!student)
            return M::TeacherStudentDemo;
        return other != 0 ? M::StudentStudentDemoOther : M::StudentStudentDemo;
    case kExecMonitor:
        return student ? M::StudentMonitor : M::TeacherMonitor;
    case kExecMultiMonitor:
        return student ? M::StudentMultiMonitor : M::TeacherMultiMonitor;
    default:
        return std::nullopt;
    }
}
