#include "student/StartupCheck.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "student/AgentHooks.h"
#include "student/MainFrame.h"

namespace {

namespace ini = kq::studentini;

constexpr int kOsInfoReads = 120;
constexpr DWORD kOsInfoPauseMs = 1000;
constexpr int kCheckModeEditionOne = 11;
constexpr int kCheckModeOther = 1;
constexpr int kEditionOne = 1;

constexpr UINT kMessageEditionRefused = 61454;
constexpr UINT kMessageCheckFailed = 61464;
constexpr UINT kMessageHostConfigNotReady = 61517;

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
    const std::string working = static_cast<LPCSTR>(frame.m_workingConfig);
    if (frame.IsPerHost()) {
        // The copy is complete once it holds the operating systems.
        for (int read = 1;; ++read) {
            if (kq::ReadIniInt(working, ini::kOs, ini::kOsMajorVersion1, ini::kAbsentNumber) != ini::kAbsentNumber)
                break;
            if (read == kOsInfoReads)
                return Stop(frame, kMessageHostConfigNotReady);
            ::Sleep(kOsInfoPauseMs);
        }
    }

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
