// The exports of the environment check library. Each runs on its caller's
// thread; KqTest and KqDlg block while their modal dialogs are open. The
// dialogs have no owner: the student agent calls from a worker thread.

#include "envcheck/KqCheck.h"

#include "common/DriveType.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "envcheck/AdapterCheck.h"
#include "envcheck/CheckIds.h"
#include "envcheck/CheckLook.h"
#include "envcheck/CheckReport.h"
#include "envcheck/CheckResultDlg.h"
#include "envcheck/EnvCheck.h"
#include "envcheck/ModeSelectDlg.h"
#include "envcheck/RestartRequest.h"
#include "envcheck/StartCountStore.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>

namespace {

constexpr int kFolderMode = 0;
constexpr int kFolderModeWithoutSound = 10;
constexpr int kEditionChosenMode = 3;

constexpr UINT kResultTemplate = 14000;
constexpr UINT kResultBackground = 14004;
constexpr int kResultCloseX = 451;
constexpr int kResultCloseY = 4;

constexpr WORD kHostNameWinsock = MAKEWORD(1, 1);
// GetVersion's top bit: set on the Windows 95 family, which has no privileges.
constexpr DWORD kNotNtFamily = 0x80000000;

std::string MessageText(int id)
{
    CString text;
    text.LoadString(static_cast<UINT>(id));
    return static_cast<LPCSTR>(text);
}

} // namespace

extern "C" int KqTest(const char* path, int mode)
{
    if (path == nullptr)
        return kq::kCheckNoPath;
    const bool folderGiven = mode == kFolderMode || mode == kFolderModeWithoutSound;
    const std::string iniPath = folderGiven ? std::string(path) + kq::studentini::kFileName : std::string(path);

    const bool fixedDisk = kq::SystemDriveIsFixed(&kq::DriveType);
    const kq::StartCount start = kq::CountThisStart(iniPath, fixedDisk);

    CEnvCheck checker;
    kq::CheckResults results = {};
    results.os = checker.CheckOS(iniPath);
    results.winsock = checker.CheckWinsock(iniPath);
    results.directX = checker.CheckDirectX(iniPath);
    results.sound = checker.CheckSound(iniPath);
    results.display = checker.CheckDisplay(iniPath);
    results.adapter = fixedDisk ? kq::CheckNetworkAdapter() : kq::check::kPassed;
    results.browser = checker.CheckIE();
    results = kq::CountedResults(results, mode);

    CCheckResultDlg window(kResultTemplate, kq::kCheckCornerWidth, kq::kCheckCornerHeight, kResultCloseX,
                           kResultCloseY, kResultBackground, nullptr);
    window.m_text = kq::BuildResultText(results, &MessageText);
    window.m_path = path;
    window.m_mode = mode;
    window.m_winsockInstaller = results.winsock != kq::check::kPassed;
    window.m_directXInstaller = results.directX != kq::check::kPassed;
    if (kq::WindowAllowed(start) && kq::WorthShowing(results))
        window.DoModal();

    return kq::CheckVerdict(results, window.m_endCode == CCheckResultDlg::kClosedByRequest);
}

extern "C" int KqDlg(int mode)
{
    CModeSelectDlg chooser(mode, nullptr);
    chooser.DoModal();
    // Closed without OK, mode 3 keeps the initial flag: the multimedia edition.
    const int edition = chooser.m_edition == 0 ? kq::kEditionDigital : kq::kEditionMultimedia;
    return (mode == kEditionChosenMode ? edition : 0) + chooser.m_classroom;
}

extern "C" int KqReboot()
{
    if ((::GetVersion() & kNotNtFamily) == 0) {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
            return static_cast<int>(::GetLastError());
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        // The last error tells whether the privilege was enabled: a failed
        // call, or ERROR_NOT_ALL_ASSIGNED when the account does not hold it.
        ::SetLastError(ERROR_SUCCESS);
        if (::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        const DWORD error = ::GetLastError();
        ::CloseHandle(token);
        if (error != ERROR_SUCCESS)
            return static_cast<int>(error);
    }
    return kq::check::RequestRestart(EWX_REBOOT);
}

extern "C" int KqComputerName(char* buffer)
{
    WSADATA data = {};
    ::WSAStartup(kHostNameWinsock, &data);
    if (buffer != nullptr && ::gethostname(buffer, kq::kComputerNameSize) != 0)
        buffer[0] = '\0';
    return ::WSACleanup();
}
