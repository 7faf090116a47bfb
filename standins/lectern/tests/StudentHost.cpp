// Test host of the classroom test: a student agent's frame on a student PC
// that opens the student side of Lectern.dll (by ordinal) under its computer
// name as seat name and reports every command it gets. On the teacher's
// message it raises its hand and answers "到"; on roll-call end it closes;
// restriction switches are reported with their pairs.
//
//   LecternStudentHost.exe REPORT SECONDS vanish|stay
// "vanish": on hand-up permission 1 the process ends at once without closing
// Lectern, as a PC that was switched off.

#include <cstring>
#include <string>

#include "common/ClassroomGroup.h"
#include "common/LecternMessages.h"
#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "common/SwitchList.h"
#include "common/TeacherMessage.h"
#include "common/TransferParams.h"
#include "standins/lectern/tests/HostReport.h"

using namespace kq::lectern::host;

namespace {

using OpenFn = int (*)(const kq::StudentInitRecord*);
using CloseFn = void (*)();
using RequestFn = void (*)(const kq::StudentRequest*);

constexpr WORD kOpenOrdinal = 1;
constexpr WORD kCloseOrdinal = 2;
constexpr WORD kRequestOrdinal = 4;

CloseFn g_close = nullptr;
RequestFn g_request = nullptr;
bool g_vanish = false;
kq::StudentRequest g_requestRecord = {};
ULONGLONG g_deadline = 0;

void Request(uint16_t type, const char* answer)
{
    g_requestRecord.type = type;
    std::strcpy(g_requestRecord.answer, answer);
    g_request(&g_requestRecord);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LECTERN_NOTIFY) {
        const uint16_t code = LOWORD(wParam);
        const uint16_t sub = HIWORD(wParam);
        if (code == kq::kStudentTeacherMessage) {
            const auto* m = reinterpret_cast<const kq::TeacherMessage*>(lParam);
            Report("cmd 5 %s|%s|%s", m->title, m->text, m->signature);
            Request(kq::kRequestHandUp, "");
            Request(kq::kRequestRollCallAnswer, "到");
        } else if (code == kq::kStudentSwitches) {
            const auto* list = reinterpret_cast<const kq::SwitchList*>(lParam);
            std::string pairs;
            for (uint16_t i = 0; i < list->count && i < kq::kMaxSwitchPairs; ++i)
                pairs += " " + std::to_string(list->pairs[i].number) + ":" + std::to_string(list->pairs[i].value);
            Report("cmd 4 switches %u%s", list->count, pairs.c_str());
        } else if (code == kq::kStudentHandInButton) {
            kq::TransferParams params;
            std::memcpy(&params, reinterpret_cast<const void*>(lParam), sizeof params);
            Report("cmd 21 %u port %u address %s", sub, params.port, Dotted(params.address).c_str());
        } else {
            Report("cmd %u %u %lld", code, sub, static_cast<long long>(lParam));
        }
        if (code == kq::kStudentHandUpButton && lParam == 1 && g_vanish) {
            Report("vanish");
            TerminateProcess(GetCurrentProcess(), 0);
        }
        if (code == kq::kStudentEndRollCall) {
            g_close();
            Report("closed");
            PostQuitMessage(0);
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == kScenarioTimer) {
        if (GetTickCount64() > g_deadline) {
            Report("timeout");
            PostQuitMessage(2);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (!ReadLessonArguments(argc, argv, 4, g_deadline))
        return 3;
    g_vanish = std::strcmp(argv[3], "vanish") == 0;
    HMODULE lectern = LoadLibraryA("Lectern.dll");
    auto open = Ordinal<OpenFn>(lectern, kOpenOrdinal);
    g_close = Ordinal<CloseFn>(lectern, kCloseOrdinal);
    g_request = Ordinal<RequestFn>(lectern, kRequestOrdinal);
    if (!open || !g_close || !g_request) {
        Report("Lectern.dll or its ordinals missing");
        return 3;
    }
    // Both are allowed before anything is open.
    g_close();
    Request(kq::kRequestButton, "");

    HWND window = MakeWindow("LecternStudentHost", WindowProc);
    kq::StudentInitRecord init = {};
    init.frameWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    init.mainPort = kMainPort;
    init.classroomGroup = kq::MakeClassroomGroup(inet_addr(kBaseAddress), kClassroom);
    init.constant8 = kq::kStudentInitConstant;
    init.VersionID = kVersion;
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    std::strncpy(init.seatNumber, name, sizeof init.seatNumber - 1);
    if (!open(&init)) {
        Report("LecternOpen failed");
        return 3;
    }
    Report("opened as %s", name);
    SetTimer(window, kScenarioTimer, kScenarioTickMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
