// Test host of the classroom test: a teacher window on the teacher PC that
// opens the teacher side of Lectern.dll (by ordinal, as the teacher program
// does), answers the log-ons of seats A1 and A2 and runs a fixed lesson:
//   1. both seats log on;
//   2. malformed datagrams go to the class, then three texts to seat 2 only;
//   3. seat 2 raises its hand and answers; hand-up is allowed for the class;
//   4. seat 1 vanishes on that command and must go off line in time;
//   5. roll call ends for the class; seat 2 closes and goes off line.
//
//   LecternTeacherHost.exe REPORT SECONDS
// Exit 0 when the lesson ran to its end, 2 on a time-out, 3 when Lectern fails.

#include <cstring>
#include <vector>

#include "common/ClassroomGroup.h"
#include "common/CommandBlock.h"
#include "common/LecternMessages.h"
#include "common/SeatTextRecord.h"
#include "common/StudentLogonRecord.h"
#include "common/TeacherConfig.h"
#include "standins/lectern/Timing.h"
#include "standins/lectern/tests/TeacherHostLectern.h"

using namespace kq::lectern::host;

namespace {


// Off line must follow within the heartbeat bound (5 s) plus one check and slack.
constexpr ULONGLONG kOfflineBoundMs = 8000;

enum class Step { WaitLogons, WaitHandAndAnswer, WaitSeat1Offline, WaitSeat2Offline };

kq::TeacherConfig g_config = {};
kq::CommandBlockWithTail g_block = {};
TeacherLectern g_lectern;
Step g_step = Step::WaitLogons;
bool g_logged[3] = {};
bool g_handUp = false;
bool g_answer = false;
bool g_offline[3] = {};
ULONGLONG g_vanishOrderAt = 0;
ULONGLONG g_deadline = 0;

void Send(uint16_t code, uint8_t param, std::vector<uint8_t> targets)
{
    std::memset(&g_block, 0, sizeof g_block);
    g_block.block.code = code;
    g_block.block.param = param;
    g_block.block.targetCount = static_cast<uint16_t>(targets.size());
    std::memcpy(kq::TargetSeats(g_block), targets.data(), targets.size());
    if (code == 9) {
        char* args = reinterpret_cast<char*>(g_block.block.args);
        std::strcpy(args, "通知");
        std::strcpy(args + kq::kCommandMiddleTextOffset - kq::kCommandFirstTextOffset, "明天考试");
        std::strcpy(args + kq::kCommandLastTextOffset - kq::kCommandFirstTextOffset, "王老师");
    }
    g_lectern.send(&g_block);
    Report("sent %u", code);
}

void SendMalformed()
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(kq::lectern::PortBeside(kMainPort, kq::lectern::kCommandPortOffset));
    to.sin_addr.s_addr = g_config.classroomGroup;
    const char garbage[] = "KqLt\x01\x02\xFF\xFF truncated";
    const char short1[] = "Kq";
    sendto(s, garbage, sizeof garbage, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    sendto(s, short1, sizeof short1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    closesocket(s);
    Report("sent malformed");
}

void Finish(int code, const char* why)
{
    Report("%s", why);
    PostQuitMessage(code);
}

void Advance()
{
    if (GetTickCount64() > g_deadline) {
        Report("timeout in step %d", static_cast<int>(g_step));
        Finish(2, "end");
        return;
    }
    switch (g_step) {
    case Step::WaitLogons:
        if (g_logged[1] && g_logged[2]) {
            SendMalformed();
            Send(9, 0, {2});
            g_step = Step::WaitHandAndAnswer;
        }
        break;
    case Step::WaitHandAndAnswer:
        if (g_handUp && g_answer) {
            Send(39, 1, {});
            g_vanishOrderAt = GetTickCount64();
            g_step = Step::WaitSeat1Offline;
        }
        break;
    case Step::WaitSeat1Offline:
        if (g_offline[1]) {
            const ULONGLONG took = GetTickCount64() - g_vanishOrderAt;
            Report("seat 1 off line after %llu ms (%s)", took, took <= kOfflineBoundMs ? "in time" : "late");
            Send(46, 0, {});
            g_step = Step::WaitSeat2Offline;
        }
        break;
    case Step::WaitSeat2Offline:
        if (g_offline[2])
            Finish(0, "done");
        break;
    }
}

int32_t SeatFor(const char* name)
{
    if (lstrcmpiA(name, "A1") == 0)
        return 1;
    if (lstrcmpiA(name, "A2") == 0)
        return 2;
    return -10;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STUDENT_LOGON) {
        auto* record = reinterpret_cast<kq::StudentLogonRecord*>(lParam);
        const int32_t seat = SeatFor(record->seatName);
        const uint8_t* mac = record->adapterAddress;
        Report("logon %s %s %02x%02x%02x%02x%02x%02x -> %d", record->seatName,
               Dotted(record->senderAddress).c_str(), mac[0], mac[1], mac[2], mac[3], mac[4], mac[5], seat);
        record->result = seat;
        record->handUpAllowed = 0;
        record->homeworkActive = 1;
        record->homeworkPort = 4321;
        if (seat > 0)
            g_logged[seat] = true;
        return seat;
    }
    if (message == WM_LECTERN_NOTIFY) {
        const uint16_t event = LOWORD(wParam);
        if (event == kq::kEventSeatText) {
            const auto* text = reinterpret_cast<const kq::SeatTextRecord*>(lParam);
            Report("event 5 seat %u text %s", text->seat, text->text);
            g_answer = text->seat == 2 && std::strcmp(text->text, "到") == 0;
            return 0;
        }
        Report("event %u value %lld", event, static_cast<long long>(lParam));
        if (event == kq::kEventHandUp && lParam == 2)
            g_handUp = true;
        if (event == kq::kEventSeatOffline && (lParam == 1 || lParam == 2))
            g_offline[lParam] = true;
        return 0;
    }
    if (message == WM_TIMER && wParam == kScenarioTimer) {
        Advance();
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
    HWND window = MakeWindow("LecternTeacherHost", WindowProc);
    g_config = TestClassroomConfig(window);
    return RunLesson(g_lectern, g_config, window);
}
