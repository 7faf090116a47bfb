// The classroom signal socket and the teacher's commands that arrive on it,
// and the notice the joiner multicasts after it changed the local copy.

#include "joiner/MainFrame.h"

#include "common/AdapterAddress.h"
#include "common/ConfigNoticeSender.h"
#include "common/GroupMembership.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "joiner/NoticeDlg.h"

#include <string>

namespace {

namespace ini = kq::studentini;

constexpr int kLongestSignal = 512;
constexpr DWORD kNoticeDelayMs = 3000;
// How the joiner waits for the working copy to carry a new version: a poll
// every 2 s, the notice once more at the 30th poll, none left after the 60th.
constexpr DWORD kVersionPollMs = 2000;
constexpr int kVersionPolls = 60;
constexpr int kVersionResendPoll = 30;

constexpr char kRestartFile[] = "c:\\e.ini";
constexpr char kRestartSection[] = "Ver";
constexpr char kRestartCloseKey[] = "close";
constexpr char kRestartRunKey[] = "run";

// Errors of a receive that leave nothing to tell the user: an oversized
// datagram (anyone may send one), a spurious read notice, a port
// unreachable report from an earlier send.
bool IsHarmlessReceiveError(int error)
{
    return error == WSAEMSGSIZE || error == WSAEWOULDBLOCK || error == WSAECONNRESET;
}

} // namespace

int CMainFrame::OpenSignalSocket()
{
    CloseSignalSocket();
    m_signalSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (m_signalSocket == INVALID_SOCKET)
        return 0;
    if (!kq::BindShared(m_signalSocket, htons(kq::kClassroomSignalPort), htonl(INADDR_ANY)))
        return 0;
    const std::string adapter = kq::ReadAdapterAddress();
    const uint32_t adapterInterface = kq::AdapterInterface(adapter);
    in_addr group = {};
    ::inet_pton(AF_INET, kq::kClassroomSignalGroup, &group);
    if (!kq::JoinGroupOn(m_signalSocket, group.s_addr, adapterInterface))
        return 0;
    if (!kq::IsAnyAdapter(adapter))
        kq::SendThrough(m_signalSocket, adapterInterface);
    return ::WSAAsyncSelect(m_signalSocket, m_hWnd, WM_SIGNAL_READ, FD_READ) == 0 ? 1 : 0;
}

void CMainFrame::CloseSignalSocket()
{
    if (m_signalSocket == INVALID_SOCKET)
        return;
    ::closesocket(m_signalSocket);
    m_signalSocket = INVALID_SOCKET;
}

void CMainFrame::SendConfigNotice()
{
    m_notice = kq::MakeConfigFileNotice(m_hostName.c_str(), m_localCopy.c_str());
    const std::string adapter = kq::ReadAdapterAddress();
    kq::SendConfigNotice(m_notice, kq::StampRule::Previous, adapter.c_str());
}

LRESULT CMainFrame::OnSignal(WPARAM, LPARAM)
{
    ReceiveSignal();
    return 0;
}

void CMainFrame::ReceiveSignal()
{
    if (m_signalSocket == INVALID_SOCKET)
        return;
    char datagram[kLongestSignal];
    const int received = ::recv(m_signalSocket, datagram, sizeof datagram, 0);
    if (received == SOCKET_ERROR) {
        if (IsHarmlessReceiveError(::WSAGetLastError()) || m_receiveNoticeShown)
            return;
        m_receiveNoticeShown = true;
        kq::ShowNotice(kq::kNoticeReceiveFailed);
        m_receiveNoticeShown = false;
        return;
    }
    kq::DecodedClassroomSignal signal;
    if (!m_signalFilter.Accept(reinterpret_cast<const uint8_t*>(datagram), static_cast<size_t>(received), signal))
        return;
    switch (signal.command) {
    case kq::kSignalClassroomNumber:
        TakeClassroomNumber(signal.argument);
        break;
    case kq::kSignalRestartInClassroom:
        RestartInClassroom(signal.argument);
        break;
    case kq::kSignalStopForVersion:
        StopForVersion(signal.argument);
        break;
    case kq::kSignalConfigVersion:
        TakeConfigVersion(signal.argument);
        break;
    case kq::kSignalRefreshDesktop:
        RefreshAgentDesktop();
        break;
    default:
        break;
    }
}

void CMainFrame::TakeClassroomNumber(int classroom)
{
    if (PerHost() && !CopyWorkingToLocal())
        kq::ShowNotice(kq::kNoticeCopyFailed);
    const std::string& target = m_backupCopy.empty() ? m_localCopy : m_backupCopy;
    kq::WriteIniInt(target, ini::kVer, ini::kClassroomId, classroom);
    if (PerHost()) {
        ::Sleep(kNoticeDelayMs);
        SendConfigNotice();
    }
    RestartStudent();
}

void CMainFrame::RestartInClassroom(int classroom)
{
    if (kq::ReadIniInt(m_workingCopy, ini::kVer, ini::kClassroomId, ini::kAbsentAtStart) != classroom)
        return;
    ::WritePrivateProfileStringA(kRestartSection, kRestartCloseKey, "", kRestartFile);
    ::WritePrivateProfileStringA(kRestartSection, kRestartRunKey, "", kRestartFile);
    kq::FlushIni(kRestartFile);
    RestartStudent();
}

void CMainFrame::StopForVersion(int version)
{
    if (PerHost() && version != m_lastVersion)
        QuitStudent();
}

void CMainFrame::TakeConfigVersion(int version)
{
    if (!PerHost() || version == m_lastVersion)
        return;
    if (!CopyWorkingToLocal())
        kq::ShowNotice(kq::kNoticeCopyFailed);
    kq::WriteIniInt(m_localCopy, ini::kVer, ini::kVersionId, version);
    ::Sleep(kNoticeDelayMs);
    SendConfigNotice();
    if (WaitForWorkingVersion(version))
        m_lastVersion = version;
    if (!StartStudent())
        kq::ShowNotice(kq::kNoticeAgentStartFailed);
}

bool CMainFrame::WaitForWorkingVersion(int version)
{
    const auto carried = [&] {
        return kq::ReadIniInt(m_workingCopy, ini::kVer, ini::kVersionId, ini::kAbsentAtStart) == version;
    };
    if (carried())
        return true;
    for (int poll = 1; poll <= kVersionPolls; ++poll) {
        ::Sleep(kVersionPollMs);
        if (poll == kVersionPolls)
            return false;
        if (poll == kVersionResendPoll)
            SendConfigNotice();
        if (carried())
            return true;
    }
    return false;
}

void CMainFrame::RefreshAgentDesktop()
{
    const HWND agent = ::FindWindowA(nullptr, kq::kAgentTitle);
    if (agent != nullptr && ::IsWindow(agent))
        ::PostMessageA(agent, WM_PEER_SIGNAL, kq::kAgentFreshDesk, 0);
}
