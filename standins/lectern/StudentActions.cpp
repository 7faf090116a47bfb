#include "standins/lectern/StudentActions.h"

#include <cstdio>

#include "standins/common/Trace.h"
#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {

constexpr char kModule[] = "Lectern";
constexpr char kChannelReceiver[] = "\\Castview.exe";
// Titles of the channel receiver and of the player it hands the channel to.
constexpr const char* kChannelWindows[] = {"“晨星”视频播放接收器", "晨星放映"};
constexpr unsigned kMillisecondsPerSecond = 1000;

// One pending restart or power-off per process (there is one student side).
UINT_PTR g_powerTimer = 0;
bool g_powerRestart = false;

bool EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

void CALLBACK OnPowerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, g_powerTimer);
    g_powerTimer = 0;
    const UINT how = g_powerRestart ? (EWX_REBOOT | EWX_FORCE) : (EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE);
    Trace(kModule, "power %s", g_powerRestart ? "restart" : "off");
    EnableShutdownPrivilege();
    ExitWindowsEx(how, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED);
}

BOOL CALLBACK CloseIfChannelWindow(HWND window, LPARAM)
{
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    for (const char* name : kChannelWindows) {
        if (lstrcmpA(title, name) == 0)
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

} // namespace

void StudentActions::Perform(const CommandOutcome& outcome, int seat)
{
    switch (outcome.action) {
    case TransportAction::LockScreen:
        Trace(kModule, "screen lock %s: %s", lock_.Show(lockBackground_, outcome.lockText) ? "shown" : "failed",
              outcome.lockText);
        break;
    case TransportAction::UnlockScreen:
        if (lock_.IsShown())
            Trace(kModule, "screen lock lifted");
        lock_.Hide();
        break;
    case TransportAction::Restart:
        SchedulePower(true, outcome.seconds);
        break;
    case TransportAction::PowerOff:
        SchedulePower(false, outcome.seconds);
        break;
    case TransportAction::StartChannel:
        StartChannel(outcome.channelName, seat);
        break;
    case TransportAction::EndChannel:
        EndChannel();
        break;
    case TransportAction::None:
    case TransportAction::Relogon:
        break;
    }
}

void StudentActions::Release()
{
    lock_.Hide();
    if (g_powerTimer != 0) {
        KillTimer(nullptr, g_powerTimer);
        g_powerTimer = 0;
    }
}

void StudentActions::SchedulePower(bool restart, unsigned seconds)
{
    // The latest order wins, as the teacher marks the seats by it.
    if (g_powerTimer != 0)
        KillTimer(nullptr, g_powerTimer);
    g_powerRestart = restart;
    g_powerTimer = SetTimer(nullptr, 0, seconds * kMillisecondsPerSecond, OnPowerTimer);
}

void StudentActions::StartChannel(const char* name, int seat)
{
    const std::string program = ModuleFolder() + kChannelReceiver;
    char commandLine[MAX_PATH + 128];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" %d %s", program.c_str(), seat, name);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Trace(kModule, "channel receiver not started: error %lu", GetLastError());
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void StudentActions::EndChannel()
{
    EnumWindows(CloseIfChannelWindow, 0);
}

} // namespace kq::lectern
