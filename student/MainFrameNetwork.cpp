// CMainFrame: the network start, the seat number, the per-host copies and
// what the agent sends (requests and configuration notices).

#include "student/MainFrame.h"

#include "common/ConfigNoticeSender.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "common/StudentInitBuilder.h"
#include "common/TextField.h"
#include "student/LecternImports.h"
#include "student/SeatNumberDlg.h"

#include <string>

namespace {

namespace ini = kq::studentini;

constexpr UINT kMessageNetworkStartFailed = 61456;
constexpr UINT kMessageLocalCopyFailed = 61516;
constexpr UINT kMessageHostConfigNotReady = 61517;
constexpr DWORD kNoticeDelayMs = 3000;
constexpr int kOsInfoReads = 120;
constexpr DWORD kOsInfoPauseMs = 1000;

std::string Text(const CString& text)
{
    return static_cast<LPCSTR>(text);
}

} // namespace

BOOL CMainFrame::StartNetwork()
{
    const std::string working = Text(m_workingConfig);
    kq::StudentNetworkValues values;
    values.mainPort = static_cast<int>(
        ::GetPrivateProfileIntA(ini::kNetwork, ini::kMainPort, ini::kAbsentNumber, working.c_str()));
    values.multicastBase =
        kq::ReadIniText(working, ini::kNetwork, ini::kMulticastBase, ini::kAbsentText, ini::kMulticastBaseMaxChars);
    values.seatNumber = kq::ReadSeatNumber(Text(SeatConfigForRead()), ini::kAbsentText);
    values.versionId = kq::ReadIniInt(working, ini::kVer, ini::kVersionId, ini::kAbsentNumber);

    if (kq::ClassifySeat(values.seatNumber) == kq::SeatState::Absent) {
        MarkSeatUnassigned();
    }

    values.classroomId = kq::ReadIniInt(Text(SeatConfigForRead()), ini::kVer, ini::kClassroomId, ini::kAbsentNumber);
    values.frameWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_hWnd));
    values.edition = m_edition;
    values.perHost = IsPerHost();
    values.lockBackground =
        kq::ReadIniText(working, ini::kLockStudent, ini::kBackBmp, ini::kAbsentText, ini::kBackBmpMaxChars);

    const kq::StudentInitResult result = kq::BuildStudentInitRecord(values);
    if (result.refusal != 0) {
        ShowError(result.refusal);
        return FALSE;
    }
    m_init = result.record;
    return LecternOpen(&m_init) != 0 ? TRUE : FALSE;
}

void CMainFrame::MarkSeatUnassigned()
{
    CopyWorkingToLocal();
    kq::WriteIniText(Text(SeatConfigForWrite()), ini::kStudentNumber, ini::kNumber, ini::kUnassignedSeat);
    AnnounceLocalConfig();
}

int CMainFrame::AskSeatNumber()
{
    if (m_seatDialogsOpen > 0)
        return 0;
    CopyWorkingToLocal();

    CSeatNumberDlg dialog;
    ++m_seatDialogsOpen;
    const INT_PTR result = dialog.DoModal();
    --m_seatDialogsOpen;
    if (result != IDOK || IsClosing())
        return -1;

    const CString seat = dialog.m_seat;
    kq::WriteIniText(Text(SeatConfigForWrite()), ini::kStudentNumber, ini::kNumber, seat);
    kq::CopyTextField(m_seatNumber, seat);
    if (CToolBarButton* button = m_toolBar.FindButton(kButtonSeat))
        button->SetWindowText(seat);
    AnnounceLocalConfig();
    return 0;
}

LRESULT CMainFrame::OnReconnect(WPARAM, LPARAM)
{
    if (IsClosing())
        return 0;
    if (AskSeatNumber() == -1) {
        if (!IsClosing())
            PostMessage(WM_CLOSE);
        return 0;
    }
    if (IsClosing())
        return 0;
    if (!StartNetwork())
        PostMessage(WM_CLOSE);
    return 0;
}

void CMainFrame::RestartNetwork()
{
    if (!StartNetwork())
        ShowError(kMessageNetworkStartFailed);
}

int CMainFrame::WaitForOsInfo()
{
    if (!IsPerHost())
        return 0;
    const std::string working = Text(m_workingConfig);
    for (int read = 1; read <= kOsInfoReads; ++read) {
        if (kq::ReadIniInt(working, ini::kOs, ini::kOsMajorVersion1, ini::kAbsentNumber) != ini::kAbsentNumber)
            return 0;
        if (read < kOsInfoReads)
            ::Sleep(kOsInfoPauseMs);
    }
    ShowError(kMessageHostConfigNotReady);
    PostMessage(WM_CLOSE);
    return -1;
}

void CMainFrame::CopyWorkingToLocal()
{
    if (!IsPerHost())
        return;
    const std::string local = Text(m_localConfig);
    // The local copy's folder, C:\<host>, may not exist yet.
    const size_t cut = local.find_last_of('\\');
    if (cut != std::string::npos)
        ::CreateDirectoryA(local.substr(0, cut).c_str(), nullptr);
    if (!::CopyFileA(m_workingConfig, local.c_str(), FALSE))
        ShowError(kMessageLocalCopyFailed);
}

void CMainFrame::AnnounceLocalConfig()
{
    if (!IsPerHost())
        return;
    ::Sleep(kNoticeDelayMs);
    SendLocalConfigNotice();
}

void CMainFrame::SendLocalConfigNotice()
{
    kq::ConfigNotice notice = kq::MakeConfigFileNotice(m_hostName, m_localConfig);
    SendConfigNotice(notice);
}

int CMainFrame::SendConfigNotice(kq::ConfigNotice& notice)
{
    return kq::SendConfigNotice(notice, kq::StampRule::Previous);
}

void CMainFrame::SendRequest(uint16_t type, const char* answer)
{
    m_request.type = type;
    if (answer != nullptr)
        kq::CopyTextField(m_request.answer, answer);
    LecternSendRequest(&m_request);
}

void CMainFrame::HandUpChecked()
{
    constexpr UINT kMessageHandUpNotAllowed = 61498;
    CToolBarButton* handUp = m_toolBar.m_hWnd != nullptr ? m_toolBar.FindButton(kButtonHandUp) : nullptr;
    if (handUp != nullptr && handUp->IsWindowEnabled())
        SendRequest(kq::kRequestHandUp);
    else
        ShowError(kMessageHandUpNotAllowed);
}
