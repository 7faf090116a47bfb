// Test host of the screen classroom test: a teacher window on the teacher PC
// that opens the teacher side of Lectern.dll (which hosts the screen engine)
// and runs a fixed lesson once seats A1 and A2 have logged on:
//   1. the broadcast options change (LecternSetOptions);
//   2. codes 1, 2, 3, 4, 6, 5 and 0 in turn, a few seconds each;
//   3. monitoring again, then the viewer's "to tutoring" item (2244) and,
//      in the tutoring it starts, the viewer's exit item (2250);
//   4. stop; roll call ends, on which the students' hosts close.
// Every engine call shows in the PCs' traces; events come to the report.
//
//   LecternTeacherScreenHost.exe REPORT SECONDS
// Exit 0 when the lesson ran to its end, 2 on a time-out, 3 when Lectern fails.

#include <cstring>
#include <functional>
#include <vector>

#include "common/BroadcastOptions.h"
#include "common/ClassroomGroup.h"
#include "common/CommandBlock.h"
#include "common/LecternMessages.h"
#include "common/StudentLogonRecord.h"
#include "common/TeacherConfig.h"
#include "standins/lectern/tests/TeacherHostLectern.h"

using namespace kq::lectern::host;

namespace {

using OptionsFn = void (*)(const kq::BroadcastOptions*);

constexpr WORD kOptionsOrdinal = 6;
constexpr UINT kToTutoring = 2244;
constexpr UINT kViewerExit = 2250;
constexpr ULONGLONG kModeMs = 4000;
constexpr uint8_t kWatchInterval = 6;
constexpr uint16_t kEndRollCall = 46;

kq::TeacherConfig g_config = {};
kq::CommandBlockWithTail g_block = {};
TeacherLectern g_lectern;
OptionsFn g_options = nullptr;
bool g_logged[3] = {};
ULONGLONG g_deadline = 0;
ULONGLONG g_nextAt = 0;
size_t g_step = 0;

void Send(uint16_t code, uint8_t param, std::vector<uint8_t> targets, uint8_t interval = 0)
{
    std::memset(&g_block, 0, sizeof g_block);
    g_block.block.code = code;
    g_block.block.param = param;
    g_block.block.args[0] = interval;
    g_block.block.targetCount = static_cast<uint16_t>(targets.size());
    std::memcpy(kq::TargetSeats(g_block), targets.data(), targets.size());
    g_lectern.send(&g_block);
    Report("sent %u", code);
}

void PostToView(UINT command)
{
    HWND view = FindWindowA(nullptr, "SCREENRECEIVER");
    Report("view command %u %s", command, view != nullptr ? "posted" : "without a view");
    if (view != nullptr)
        PostMessageA(view, WM_COMMAND, command, 0);
}

const std::vector<std::function<void()>>& Lesson()
{
    static const std::vector<std::function<void()>> steps = {
        [] {
            const kq::BroadcastOptions options = {1, 3, 7, 0, 1};
            g_options(&options);
            Report("options set");
        },
        [] { Send(1, 0, {}); },
        [] { Send(2, 0, {1, 2}, kWatchInterval); },
        [] { Send(3, 9, {1, 2}); },
        [] { Send(4, 0, {2}); },
        [] { Send(6, 1, {1, 2}); },
        [] { Send(5, 1, {1, 2}); },
        [] { Send(0, 0, {}); },
        [] { Send(2, 0, {1, 2}); },
        [] { PostToView(kToTutoring); },
        [] { PostToView(kViewerExit); },
        [] { Send(0, 0, {}); },
        [] { Send(kEndRollCall, 0, {}); }, // the students' hosts close on it
    };
    return steps;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STUDENT_LOGON) {
        auto* record = reinterpret_cast<kq::StudentLogonRecord*>(lParam);
        const int32_t seat = lstrcmpiA(record->seatName, "A1") == 0 ? 1 : lstrcmpiA(record->seatName, "A2") == 0 ? 2 : -10;
        Report("logon %s -> %d", record->seatName, seat);
        record->result = seat;
        if (seat > 0)
            g_logged[seat] = true;
        return seat;
    }
    if (message == WM_LECTERN_NOTIFY) {
        Report("event %u value %lld", LOWORD(wParam), static_cast<long long>(lParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == kScenarioTimer) {
        const ULONGLONG now = GetTickCount64();
        if (now > g_deadline) {
            Report("timeout in step %zu", g_step);
            PostQuitMessage(2);
        } else if (g_logged[1] && g_logged[2] && now >= g_nextAt) {
            if (g_step < Lesson().size()) {
                Lesson()[g_step++]();
                g_nextAt = now + kModeMs;
            } else {
                Report("done");
                PostQuitMessage(0);
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (!ReadLessonArguments(argc, argv, 3, g_deadline))
        return 3;
    if (!g_lectern.Load())
        return 3;
    g_options = Ordinal<OptionsFn>(g_lectern.module, kOptionsOrdinal);
    if (!g_options) {
        Report("Lectern.dll's broadcast options ordinal missing");
        return 3;
    }
    HWND window = MakeWindow("LecternTeacherScreenHost", WindowProc);
    g_config = TestClassroomConfig(window);
    g_config.Quality = 70;
    g_config.DelaySon = 2;
    g_config.DelayMon = 8;
    g_config.CompressMethord = 1;
    g_config.ScreenChange = 0;
    g_config.Record = 1;
    g_config.SoundOpenFlag = 1;
    return RunLesson(g_lectern, g_config, window);
}
