#include "standins/lectern/ScreenPlan.h"

#include <algorithm>
#include <cstring>

namespace kq::lectern {

namespace {

constexpr uint32_t kMsPerSecond = 1000;
constexpr uint8_t kNoCycling = 1;
constexpr uint8_t kReview = 1;
constexpr uint16_t kNoticeModeEnded = 0;
constexpr intptr_t kBeforeSwitch = 1;
constexpr uint16_t kNoticeTutoring = 5;
constexpr uint16_t kNoticeStudentDemo = 6;
constexpr uint16_t kNoticeReview = 7;
constexpr uint16_t kNoticeTeacherDemo = 8;

bool IsStation(int32_t id) { return id >= 1 && id <= kEngineLastId; }

void SetIds(EngineRequest& r, const uint8_t* ids, size_t count)
{
    r.idCount = 0;
    for (size_t i = 0; i < count && r.idCount < kEngineMaxIds; ++i)
        if (IsStation(ids[i]))
            r.ids[r.idCount++] = ids[i];
}

bool Targets(const CommandBody& command, int32_t seat)
{
    if (command.targetCount == 0)
        return true;
    const uint8_t* end = command.targets + std::min<size_t>(command.targetCount, kMaxTargetSeats);
    return std::find(command.targets, end, static_cast<uint8_t>(seat)) != end;
}

// The monitors' cycling: the interval in seconds, or none.
void SetCycling(EngineRequest& r, const CommandBody& command)
{
    const uint8_t interval = command.args[0];
    r.flag = interval == 0 ? kNoCycling : 0;
    r.period = static_cast<uint32_t>(interval) * kMsPerSecond;
}

} // namespace

const char* EngineExportName(EngineCall call)
{
    switch (call) {
    case EngineCall::Stop: return "DoStop";
    case EngineCall::TeacherTeacherDemo: return "DoTeacherTeacherDemo";
    case EngineCall::StudentTeacherDemo: return "DoStudentTeacherDemo";
    case EngineCall::TeacherMonitor: return "DoTeacherMonitor";
    case EngineCall::StudentMonitor: return "DoStudentMonitor";
    case EngineCall::TeacherMultiMonitor: return "DoTeacherMultiMonitor";
    case EngineCall::StudentMultiMonitor: return "DoStudentMultiMonitor";
    case EngineCall::TeacherTeacherHandle: return "DoTeacherTeacherHandle";
    case EngineCall::StudentTeacherHandle: return "DoStudentTeacherHandle";
    case EngineCall::StudentTeacherHandleOther: return "DoStudentTeacherHandleOther";
    case EngineCall::TeacherStudentDemo: return "DoTeacherStudentDemo";
    case EngineCall::StudentStudentDemo: return "DoStudentStudentDemo";
    case EngineCall::StudentStudentDemoOther: return "DoStudentStudentDemoOther";
    case EngineCall::None: break;
    }
    return "";
}

bool IsScreenCode(uint16_t code) { return code <= SCREEN_REVIEW; }

EngineRequest PlanTeacher(const CommandBody& command, const ScreenBody& settings, const uint8_t* classSeats,
                          size_t classSeatCount)
{
    EngineRequest r;
    const bool wholeClass = command.targetCount == 0;
    const uint8_t* targets = wholeClass ? classSeats : command.targets;
    const size_t targetCount = wholeClass ? classSeatCount : std::min<size_t>(command.targetCount, kMaxTargetSeats);
    switch (command.code) {
    case SCREEN_STOP:
        r.call = EngineCall::Stop;
        break;
    case SCREEN_TEACHER_DEMO:
        r.call = EngineCall::TeacherTeacherDemo;
        r.recordOrViews = settings.record;
        break;
    case SCREEN_MONITOR:
        r.call = EngineCall::TeacherMonitor;
        SetIds(r, targets, targetCount);
        SetCycling(r, command);
        break;
    case SCREEN_MULTI_MONITOR:
        r.call = EngineCall::TeacherMultiMonitor;
        SetIds(r, targets, targetCount);
        SetCycling(r, command);
        r.recordOrViews = command.param;
        break;
    case SCREEN_REMOTE_CONTROL:
        if (targetCount < 1 || !IsStation(targets[0]))
            return {};
        r.call = EngineCall::TeacherTeacherHandle;
        r.watched = targets[0];
        r.period = settings.sound;
        break;
    case SCREEN_REVIEW:
        if (!IsStation(command.param))
            return {};
        r.call = EngineCall::TeacherTeacherHandle;
        r.watched = command.param;
        r.flag = kReview;
        r.period = settings.sound;
        break;
    case SCREEN_STUDENT_DEMO:
        if (!IsStation(command.param))
            return {};
        r.call = EngineCall::TeacherStudentDemo;
        r.watched = command.param;
        break;
    default:
        return {};
    }
    return r;
}

EngineRequest PlanStudent(const CommandBody& command, const ScreenBody& settings, int32_t seat)
{
    EngineRequest r;
    if (!IsStation(seat) || !IsScreenCode(command.code))
        return r;
    if (command.code == SCREEN_STOP) {
        r.call = EngineCall::Stop;
        return r;
    }
    if (!Targets(command, seat))
        return r;
    r.ownId = static_cast<uint8_t>(seat);
    const bool concerned = command.code == SCREEN_REMOTE_CONTROL
                               ? command.targetCount >= 1 && command.targets[0] == seat
                               : command.param == seat;
    switch (command.code) {
    case SCREEN_TEACHER_DEMO:
        r.call = EngineCall::StudentTeacherDemo;
        r.recordOrViews = settings.record;
        break;
    case SCREEN_MONITOR:
        r.call = EngineCall::StudentMonitor;
        SetCycling(r, command);
        break;
    case SCREEN_MULTI_MONITOR:
        r.call = EngineCall::StudentMultiMonitor;
        SetCycling(r, command);
        r.recordOrViews = command.param;
        break;
    case SCREEN_REMOTE_CONTROL:
        if (!concerned)
            return {};
        r.call = EngineCall::StudentTeacherHandle;
        r.watched = static_cast<uint8_t>(seat);
        r.period = settings.sound;
        break;
    case SCREEN_REVIEW:
        r.call = concerned ? EngineCall::StudentTeacherHandle : EngineCall::StudentTeacherHandleOther;
        r.watched = command.param;
        r.flag = kReview;
        r.period = settings.sound;
        break;
    case SCREEN_STUDENT_DEMO:
        r.call = concerned ? EngineCall::StudentStudentDemo : EngineCall::StudentStudentDemoOther;
        r.watched = command.param;
        break;
    default:
        return {};
    }
    return r;
}

NoticePlan PlanNotice(uint16_t code, intptr_t lParam)
{
    NoticePlan plan;
    const auto station = static_cast<int32_t>(lParam);
    switch (code) {
    case kNoticeModeEnded:
        plan.stop = true;
        plan.reportStopAll = lParam != kBeforeSwitch;
        return plan;
    case kNoticeTutoring:
        plan.command.code = SCREEN_REMOTE_CONTROL;
        plan.command.targetCount = 1;
        plan.command.targets[0] = static_cast<uint8_t>(station);
        break;
    case kNoticeStudentDemo:
        plan.command.code = SCREEN_STUDENT_DEMO;
        plan.command.param = static_cast<uint8_t>(station);
        break;
    case kNoticeReview:
        plan.command.code = SCREEN_REVIEW;
        plan.command.param = static_cast<uint8_t>(station);
        break;
    case kNoticeTeacherDemo:
        plan.command.code = SCREEN_TEACHER_DEMO;
        plan.startCommand = true;
        return plan;
    default:
        return plan;
    }
    plan.startCommand = IsStation(station) && station <= kLastSeatNumber;
    return plan;
}

} // namespace kq::lectern
