#include "student/StartupCheck.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "student/AgentHooks.h"
#include "student/MainFrame.h"

namespace {

namespace ini = kq::studentini;

constexpr int kCheckModeEditionOne = 11;
constexpr int kCheckModeOther = 1;
constexpr int kEditionOne = 1;

constexpr UINT kMessageEditionRefused = 61454;
constexpr UINT kMessageCheckFailed = 61464;

DWORD Stop(CMainFrame& frame, UINT messageId)
{
    if (messageId != 0)
        CMainFrame::ShowError(messageId);
    frame.PostMessage(WM_CLOSE);
    return kStartupStop;
}

} // namespace

DWORD RunStartupCheck(CMainFrame& frame, KqTestFunction check)
{
    // A per-host copy is complete once it holds the operating systems.
    if (frame.WaitForOsInfo() == -1)
        return kStartupStop;

    const std::string working = static_cast<LPCSTR>(frame.m_workingConfig);
    frame.m_edition = kq::ReadIniInt(working, ini::kVer, ini::kEdition, ini::kEditionRefused);
    if (frame.m_edition == ini::kEditionRefused)
        return Stop(frame, kMessageEditionRefused);

    const int mode = frame.m_edition == kEditionOne ? kCheckModeEditionOne : kCheckModeOther;
    switch (check(working.c_str(), mode)) {
    case kq::kCheckFailed:
    case kq::kCheckNoPath:
        return Stop(frame, kMessageCheckFailed);
    case kq::kCheckClosed:
        return Stop(frame, 0);
    default:
        return kStartupGoOn;
    }
}

DWORD WINAPI StartupCheckThread(LPVOID frame)
{
    return RunStartupCheck(*static_cast<CMainFrame*>(frame), &kq::agent::EnvironmentCheck);
}
