#pragma once
// Which screen-engine export each PC calls for a teacher command, and with
// which ids, watched seat, views, flag and period; and what the teacher PC
// does with the engine's notices. Pure decisions: the host carries them out.

#include <cstddef>
#include <cstdint>

#include "standins/lectern/Wire.h"

namespace kq::lectern {

enum class EngineCall {
    None,
    Stop,
    TeacherTeacherDemo,
    StudentTeacherDemo,
    TeacherMonitor,
    StudentMonitor,
    TeacherMultiMonitor,
    StudentMultiMonitor,
    TeacherTeacherHandle,
    StudentTeacherHandle,
    StudentTeacherHandleOther,
    TeacherStudentDemo,
    StudentStudentDemo,
    StudentStudentDemoOther,
};

inline constexpr size_t kEngineMaxIds = 160;
inline constexpr uint8_t kEngineLastId = 254;

struct EngineRequest {
    EngineCall call = EngineCall::None;
    uint8_t ownId = 0;
    uint8_t watched = 0;
    uint16_t idCount = 0;
    uint8_t ids[kEngineMaxIds] = {};
    uint8_t recordOrViews = 0; // the byte at 41008
    uint8_t flag = 0;
    uint32_t period = 0;
};

// The export's name, as the engine exports it.
const char* EngineExportName(EngineCall call);

// Screen command codes of the teacher.
enum ScreenCode : uint16_t {
    SCREEN_STOP = 0,
    SCREEN_TEACHER_DEMO = 1,
    SCREEN_MONITOR = 2,
    SCREEN_MULTI_MONITOR = 3,
    SCREEN_REMOTE_CONTROL = 4,
    SCREEN_STUDENT_DEMO = 5,
    SCREEN_REVIEW = 6,
};
bool IsScreenCode(uint16_t code);

// The teacher PC's call. `classSeats` are the logged-on seats, used when the
// command addresses the whole class.
EngineRequest PlanTeacher(const CommandBody& command, const ScreenBody& settings, const uint8_t* classSeats,
                          size_t classSeatCount);
// A student PC's call for a command that reached it; nothing for a seat
// outside 1..254.
EngineRequest PlanStudent(const CommandBody& command, const ScreenBody& settings, int32_t seat);

// What the teacher PC does with one engine notice (code, lParam).
struct NoticePlan {
    bool stop = false;          // DoStop here
    bool reportStopAll = false; // event 11 to the teacher window
    bool startCommand = false;  // send `command` to the class and start it here
    CommandBody command;
};
NoticePlan PlanNotice(uint16_t code, intptr_t lParam);

} // namespace kq::lectern
