#include "student/DirRecvDlg.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "student/KqTransmitImports.h"
#include "student/ReceiveSettings.h"
#include "widgets/StudentLook.h"

#include <string>

BEGIN_MESSAGE_MAP(CDirRecvDlg, CSkinDialog)
    ON_WM_TIMER()
    ON_MESSAGE(CDirRecvDlg::WM_TRANSMIT_END, OnTransmitEnd)
END_MESSAGE_MAP()

namespace {

namespace ini = kq::studentini;

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 170;
constexpr int kNoCloseButton = -1;
constexpr RECT kProgressRect = {30, 52, 269, 65};
constexpr COLORREF kProgressBackground = 0xF1DA98;
constexpr short kProgressLowest = 0;
constexpr short kProgressHighest = 100;
constexpr int kGroupTextMaxChars = 19;
constexpr int kKindFile = 0;
constexpr int kKindFolder = 1;

// The library's end results: success, failures it reports, and the ends
// that need no report.
constexpr LPARAM kReceived = 0;
constexpr LPARAM kReportedFailures[] = {-1, -2, -3, -6};
constexpr LPARAM kSilentEnds[] = {-4, -5};
constexpr LPARAM kCouldNotStart = -1;

bool IsOneOf(LPARAM value, const LPARAM* first, const LPARAM* last)
{
    for (const LPARAM* v = first; v != last; ++v)
        if (*v == value)
            return true;
    return false;
}

DWORD GroupAddress(const std::string& config, const char* key, const char* fallback)
{
    const std::string text =
        kq::GroupAddressText(kq::ReadIniText(config, ini::kTransmit, key, ini::kAbsentText, kGroupTextMaxChars),
                             fallback);
    return ::inet_addr(text.c_str());
}

} // namespace

CDirRecvDlg::CDirRecvDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kNoCloseButton, kNoCloseButton,
                  kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

BOOL CDirRecvDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_progress.SetBackColor(kProgressBackground);
    m_progress.Create(WS_VISIBLE | PBS_SMOOTH, kProgressRect, this, kProgressId);
    m_progress.SetRange(kProgressLowest, kProgressHighest);
    m_progress.SetPos(kProgressLowest);

    if (m_kind != kKindFile && m_kind != kKindFolder) {
        // Nothing to receive: no end message would ever come.
        ::UnInitReceiver();
        EndDialog(IDOK);
        return TRUE;
    }
    if (StartReceive() < 0) {
        Finish(true, kCouldNotStart);
        return TRUE;
    }
    ModifyStyleEx(0, WS_EX_TOPMOST);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    BringWindowToTop();
    return TRUE;
}

int CDirRecvDlg::StartReceive()
{
    const std::string working = static_cast<const char*>(m_workingConfig);
    const std::string backup = static_cast<const char*>(m_backupConfig);
    const DWORD sendGroup = GroupAddress(working, ini::kSendGroupIp, ini::kDefaultSendGroup);
    const DWORD receiveGroup = GroupAddress(working, ini::kRecvGroupIp, ini::kDefaultRecvGroup);
    const int groupPort = kq::ReadIniInt(working, ini::kTransmit, ini::kGroupPort, ini::kGroupPortAbsent);
    const int classroom =
        kq::ReadIniInt(backup.empty() ? working : backup, ini::kVer, ini::kClassroomId, ini::kAbsentNumber);
    const uint16_t port = kq::ReceivePort(classroom, groupPort);

    if (::InitReceiver(sendGroup, receiveGroup, htons(port), m_hWnd) < 0)
        return kCouldNotStart;
    SetTimer(kProgressTimer, kProgressPeriodMs);
    char* name = m_receivedName != nullptr ? m_receivedName : m_scratchName;
    const int size = static_cast<int>(kReceivedNameSize);
    return m_kind == kKindFile ? ::RecvFile(name, size) : ::RecvDir(name, size);
}

void CDirRecvDlg::OnTimer(UINT_PTR timerId)
{
    if (timerId != kProgressTimer) {
        Default();
        return;
    }
    m_progress.SetPos(kq::ProgressPosition(g_dwReceived, g_dwTotalToBeRecv));
}

LRESULT CDirRecvDlg::OnTransmitEnd(WPARAM event, LPARAM result)
{
    if (event != kTransmitReceiveEnded)
        return 0;
    const LPARAM value = static_cast<int>(result); // the library posts an int
    if (value == kReceived || IsOneOf(value, std::begin(kReportedFailures), std::end(kReportedFailures)))
        Finish(true, value);
    else if (IsOneOf(value, std::begin(kSilentEnds), std::end(kSilentEnds)))
        Finish(false, value);
    return 0;
}

void CDirRecvDlg::Finish(bool report, LPARAM result)
{
    KillTimer(kProgressTimer);
    ::UnInitReceiver();
    if (report && m_owner != nullptr)
        ::PostMessageA(m_owner, WM_PROGRAM_SENT, kProgramSentReport, result);
    EndDialog(IDOK);
}
