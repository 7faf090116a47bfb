// The teacher of the agent's classroom test: opens the teacher side of
// Lectern.dll (by ordinal, as the teacher program does), accepts the log-on
// of seat A1 and then sends a fixed list of steps to the class, one every
// few seconds, reporting what comes back:
//   code[,param[,u16 at 5]]  a teacher command
//   text,CODE,TEXT           a teacher command with its text at 5
//   send,SOURCE,FOLDER       distributes a file (the receivers get code 10)
//   collect,FOLDER           collects homework into FOLDER (code 20)
//   serve,FOLDER[,SKIP]      (at once) serves FOLDER as the update to students
//                            that log on with an older version, after
//                            leaving the first SKIP update pushes unserved
//
//   CommandTeacher.exe REPORT SECONDS STEP...
// Exit 0 after SECONDS when A1 logged on, 2 otherwise, 3 when a library fails.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ClassroomGroup.h"
#include "common/CommandBlock.h"
#include "common/LecternMessages.h"
#include "common/SeatTextRecord.h"
#include "common/StudentLogonRecord.h"
#include "common/TeacherConfig.h"
#include "standins/lectern/tests/TeacherHostLectern.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace kq::lectern::host;

extern "C" int InitSender(DWORD firstGroup, DWORD secondGroup, WORD portNetwork, HWND window);
extern "C" int SendFile(const char* source, const char* receivingFolder, int reserved, WORD targets);
extern "C" int StartFileServer(const char* folder, HWND window);
extern "C" int StartServerToSendDir(const char* folder, HWND window, WORD port);

namespace {


constexpr DWORD kStepGapMs = 4000;
constexpr UINT kDistributionPort = 6004; // groupport 6001 + classroom 3
constexpr UINT kTransmitDone = 0xBEE;

kq::TeacherConfig g_config = {};
kq::CommandBlockWithTail g_block = {};
TeacherLectern g_lectern;
std::vector<std::string> g_steps;
size_t g_next = 0;
bool g_loggedOn = false;
ULONGLONG g_nextAt = 0;
ULONGLONG g_deadline = 0;
HWND g_window = nullptr;
std::string g_updateFolder;
int g_pushesToSkip = 0;

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

void SendCommand(const std::vector<std::string>& parts)
{
    std::memset(&g_block, 0, sizeof g_block);
    g_block.block.code = static_cast<uint16_t>(std::atoi(parts[0].c_str()));
    g_block.block.param = parts.size() > 1 ? static_cast<uint8_t>(std::atoi(parts[1].c_str())) : 0;
    if (parts.size() > 2) {
        const uint16_t value = static_cast<uint16_t>(std::atoi(parts[2].c_str()));
        std::memcpy(g_block.block.args, &value, sizeof value);
    }
    g_lectern.send(&g_block); // no targets: the whole class
    Report("sent %s", parts[0].c_str());
}

void SendText(const std::vector<std::string>& parts)
{
    if (parts.size() < 3)
        return;
    std::memset(&g_block, 0, sizeof g_block);
    g_block.block.code = static_cast<uint16_t>(std::atoi(parts[1].c_str()));
    kq::SetCommandText(g_block, parts[2].c_str());
    g_lectern.send(&g_block);
    Report("sent %s with text %s", parts[1].c_str(), parts[2].c_str());
}

void Distribute(const std::vector<std::string>& parts)
{
    if (parts.size() < 3)
        return;
    const int opened = InitSender(inet_addr("234.5.6.7"), inet_addr("234.6.7.8"), htons(kDistributionPort), g_window);
    std::memset(&g_block, 0, sizeof g_block);
    g_block.block.code = 10; // the receivers open their receive dialog
    g_lectern.send(&g_block);
    Sleep(kStepGapMs / 2);
    const int sent = SendFile(parts[1].c_str(), parts[2].c_str(), 0, 1);
    Report("send %s -> init %d send %d", parts[1].c_str(), opened, sent);
}

void Collect(const std::vector<std::string>& parts)
{
    if (parts.size() < 2)
        return;
    const int port = StartFileServer(parts[1].c_str(), g_window);
    Report("file server port %d", port);
    if (port <= 0)
        return;
    SendCommand({"20", "0", std::to_string(port)});
}

void Tick()
{
    const ULONGLONG now = GetTickCount64();
    if (now > g_deadline) {
        Report(g_loggedOn ? "done" : "no log-on");
        PostQuitMessage(g_loggedOn ? 0 : 2);
        return;
    }
    if (!g_loggedOn || g_next >= g_steps.size() || now < g_nextAt)
        return;
    const std::vector<std::string> parts = Split(g_steps[g_next++], ',');
    if (parts[0] == "send")
        Distribute(parts);
    else if (parts[0] == "collect")
        Collect(parts);
    else if (parts[0] == "text")
        SendText(parts);
    else
        SendCommand(parts);
    g_nextAt = now + kStepGapMs;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STUDENT_LOGON) {
        auto* record = reinterpret_cast<kq::StudentLogonRecord*>(lParam);
        const int32_t seat = lstrcmpiA(record->seatName, "A1") == 0 ? 1 : -10;
        Report("logon %s -> %d", record->seatName, seat);
        record->result = seat;
        record->handUpAllowed = 1;
        record->homeworkActive = 0;
        if (seat > 0 && !g_loggedOn) {
            g_loggedOn = true;
            g_nextAt = GetTickCount64() + kStepGapMs;
        }
        return seat;
    }
    if (message == WM_LECTERN_NOTIFY) {
        const uint16_t event = LOWORD(wParam);
        if (event == kq::kEventSeatText) {
            const auto* text = reinterpret_cast<const kq::SeatTextRecord*>(lParam);
            Report("event 5 seat %u text %s", text->seat, text->text);
        } else {
            Report("event %u value %lld", event, static_cast<long long>(lParam));
        }
        if (event == kq::kEventUpdatePush && g_pushesToSkip > 0) {
            --g_pushesToSkip;
            Report("update push left unserved");
        } else if (event == kq::kEventUpdatePush && !g_updateFolder.empty()) {
            const int served = StartServerToSendDir(g_updateFolder.c_str(), g_window, static_cast<WORD>(lParam));
            Report("serving the update: %d", served);
        }
        return 0;
    }
    if (message == kTransmitDone) {
        Report("transmit event %u result %d", static_cast<unsigned>(wParam), static_cast<int>(lParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == kScenarioTimer) {
        Tick();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (!ReadLessonArguments(argc, argv, 3, g_deadline))
        return 3;
    for (int i = 3; i < argc; ++i) {
        const std::vector<std::string> parts = Split(argv[i], ',');
        if (parts[0] == "serve" && parts.size() > 1) {
            g_updateFolder = parts[1];
            g_pushesToSkip = parts.size() > 2 ? std::atoi(parts[2].c_str()) : 0;
        } else {
            g_steps.push_back(argv[i]);
        }
    }
    if (!g_lectern.Load())
        return 3;
    g_window = MakeWindow("KqCommandTeacher", WindowProc);
    g_config = TestClassroomConfig(g_window);
    return RunLesson(g_lectern, g_config, g_window);
}
