// Which screen-engine export each PC calls for the teacher's screen commands,
// and what the teacher PC does with the engine's notices.

#include "standins/lectern/ScreenPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq::lectern {
namespace {

CommandBody Command(uint16_t code, uint8_t param, std::vector<uint8_t> targets, uint8_t interval = 0)
{
    CommandBody c;
    c.code = code;
    c.param = param;
    c.args[0] = interval;
    c.targetCount = static_cast<uint16_t>(targets.size());
    for (size_t i = 0; i < targets.size(); ++i)
        c.targets[i] = targets[i];
    return c;
}

ScreenBody Settings()
{
    ScreenBody s;
    s.record = 1;
    s.sound = 1;
    return s;
}

std::vector<int> Ids(const EngineRequest& r) { return std::vector<int>(r.ids, r.ids + r.idCount); }

TEST(ScreenPlan, EachCodeStartsItsExportOnTheTeacherAndEveryStudent)
{
    const uint8_t classSeats[] = {1, 2, 3};
    const struct {
        CommandBody command;
        const char* teacher;
        std::vector<int> ids;
        int watched;
        int flag;
        uint32_t period;
        int byte41008;
        const char* seat1; // the seat concerned where there is one
        const char* seat2;
        const char* seat3; // not targeted
    } cases[] = {
        {Command(1, 0, {1, 2}), "DoTeacherTeacherDemo", {}, 0, 0, 0, 1, "DoStudentTeacherDemo", "DoStudentTeacherDemo", ""},
        {Command(2, 0, {1, 2}, 6), "DoTeacherMonitor", {1, 2}, 0, 0, 6000, 0, "DoStudentMonitor", "DoStudentMonitor", ""},
        {Command(2, 0, {}, 0), "DoTeacherMonitor", {1, 2, 3}, 0, 1, 0, 0, "DoStudentMonitor", "DoStudentMonitor",
         "DoStudentMonitor"},
        {Command(3, 9, {1, 2}), "DoTeacherMultiMonitor", {1, 2}, 0, 1, 0, 9, "DoStudentMultiMonitor",
         "DoStudentMultiMonitor", ""},
        {Command(4, 0, {2}), "DoTeacherTeacherHandle", {}, 2, 0, 1, 0, "", "DoStudentTeacherHandle", ""},
        {Command(6, 1, {1, 2}), "DoTeacherTeacherHandle", {}, 1, 1, 1, 0, "DoStudentTeacherHandle",
         "DoStudentTeacherHandleOther", ""},
        {Command(5, 1, {1, 2}), "DoTeacherStudentDemo", {}, 1, 0, 0, 0, "DoStudentStudentDemo",
         "DoStudentStudentDemoOther", ""},
        {Command(0, 0, {}), "DoStop", {}, 0, 0, 0, 0, "DoStop", "DoStop", "DoStop"},
    };
    for (const auto& c : cases) {
        const std::string name = "code " + std::to_string(c.command.code);
        const EngineRequest t = PlanTeacher(c.command, Settings(), classSeats, 3);
        EXPECT_STREQ(c.teacher, EngineExportName(t.call)) << name;
        EXPECT_EQ(0, t.ownId) << name;
        EXPECT_EQ(c.ids, Ids(t)) << name;
        EXPECT_EQ(c.watched, t.watched) << name;
        EXPECT_EQ(c.flag, t.flag) << name;
        EXPECT_EQ(c.period, t.period) << name;
        EXPECT_EQ(c.byte41008, t.recordOrViews) << name;
        const char* students[] = {c.seat1, c.seat2, c.seat3};
        for (int seat = 1; seat <= 3; ++seat) {
            const EngineRequest s = PlanStudent(c.command, Settings(), seat);
            EXPECT_STREQ(students[seat - 1], EngineExportName(s.call)) << name << " seat " << seat;
            if (s.call != EngineCall::None && s.call != EngineCall::Stop) {
                EXPECT_EQ(seat, s.ownId) << name << " seat " << seat;
            }
        }
    }
}

TEST(ScreenPlan, SeatsOutsideTheEnginesIdsAndBadWatchedSeatsStartNothing)
{
    EXPECT_EQ(EngineCall::None, PlanStudent(Command(1, 0, {}), Settings(), 0).call);
    EXPECT_EQ(EngineCall::None, PlanStudent(Command(1, 0, {}), Settings(), 255).call);
    EXPECT_EQ(EngineCall::None, PlanStudent(Command(0, 0, {}), Settings(), 0).call);
    EXPECT_EQ(EngineCall::None, PlanTeacher(Command(4, 0, {}), Settings(), nullptr, 0).call);
    EXPECT_EQ(EngineCall::None, PlanTeacher(Command(5, 0, {1}), Settings(), nullptr, 0).call);
    EXPECT_EQ(EngineCall::None, PlanTeacher(Command(7, 0, {1}), Settings(), nullptr, 0).call);
}

TEST(ScreenPlan, NoticesStopReportOrHandTheClassOver)
{
    const struct {
        uint16_t code;
        intptr_t lParam;
        bool stop, report, start;
        uint16_t command;
        int param, target;
    } cases[] = {
        {0, 0, true, true, false, 0, 0, 0},  {0, 1, true, false, false, 0, 0, 0},
        {5, 7, false, false, true, 4, 0, 7}, {6, 7, false, false, true, 5, 7, 0},
        {7, 7, false, false, true, 6, 7, 0}, {8, 0, false, false, true, 1, 0, 0},
        {5, 0, false, false, false, 4, 0, 0}, {9, 1, false, false, false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const NoticePlan p = PlanNotice(c.code, c.lParam);
        const std::string name = std::to_string(c.code) + "/" + std::to_string(c.lParam);
        EXPECT_EQ(c.stop, p.stop) << name;
        EXPECT_EQ(c.report, p.reportStopAll) << name;
        EXPECT_EQ(c.start, p.startCommand) << name;
        if (c.start) {
            EXPECT_EQ(c.command, p.command.code) << name;
            EXPECT_EQ(c.param, p.command.param) << name;
            EXPECT_EQ(c.target, p.command.targetCount ? p.command.targets[0] : 0) << name;
        }
    }
}

} // namespace
} // namespace kq::lectern
