// CTeacherWnd: what the outside components report: the transport's events,
// errors and log-ons, and the video library's notices.

#include "teacher/TeacherWnd.h"

#include "common/LecternMessages.h"
#include "common/ProgramFolder.h"
#include "common/SeatTextRecord.h"
#include "common/StudentLogonRecord.h"
#include "common/SystemErrorText.h"
#include "common/TextField.h"
#include "common/VideoStartRecord.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/ComponentImports.h"
#include "teacher/Globals.h"
#include "teacher/SeatStates.h"
#include "teacher/SeatTextEvent.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kIdle = 0;
constexpr int kHandInCollecting = 4;
constexpr int kOnlineTest = 5;
constexpr int kHandInDuringTest = 6;

constexpr uint32_t kModeDisklessFromDiskless = 11;
constexpr int kTransportHelpItem = 2;

constexpr WORD kCodeStopVideo = 17;
constexpr WORD kCodeChannelStarted = 16;
constexpr WORD kCodeChannelChanged = 32;
constexpr size_t kChannelPortOffset = 6;
constexpr size_t kChannelPort2Offset = 8;
constexpr uint16_t kVideoPortOffset = 40;
constexpr LRESULT kNoSeatOnline = -1;
constexpr LRESULT kNoRecord = -1;

constexpr UINT kVideoReenabled[] = {521, 522, 641, 642, 643};
constexpr UINT kPowerButtons[] = {511, 512, 513};

constexpr char kUpdateFolder[] = "Update\\";
constexpr char kDefaultRingFile[] = "C:\\windows\\media\\notify.wav";

} // namespace

LRESULT CTeacherWnd::OnLecternNotify(WPARAM wParam, LPARAM lParam)
{
    const int seat = static_cast<int>(lParam);
    switch (LOWORD(wParam)) {
    case kq::kEventSeatOffline:
        SeatWentOffline(seat);
        break;
    case kq::kEventSeatOnline:
        if (m_seatMap != nullptr)
            m_seatMap->SetSeatState(seat, kq::kSeatLoggedOn);
        break;
    case kq::kEventHandUp:
        if (m_seatMap != nullptr)
            m_seatMap->SetSeatState(seat, kq::kSeatHandUp);
        break;
    case kq::kEventSeatText:
        if (m_rollCallOn != 0)
            ShowSeatText(reinterpret_cast<const void*>(lParam));
        break;
    case kq::kEventDiskless:
        SwitchToDiskless();
        break;
    case kq::kEventNewerStudent:
        if (!m_versionWarned) {
            m_versionWarned = true;
            char text[256];
            std::snprintf(text, sizeof text, "教师机的版本低于学生机, 学生机的版本现在是%ld, 建议您安装最新的升级程序",
                          static_cast<long>(lParam));
            kq::ShowWarningText(text);
        }
        break;
    case kq::kEventUpdatePush:
        PushUpdate(static_cast<int>(lParam));
        break;
    case kq::kEventBusy:
        m_studentBusy = true;
        break;
    case kq::kEventHandIn:
        StudentHandedIn(seat);
        break;
    case kq::kEventStopAll:
        StopBroadcast();
        break;
    case kq::kEventSoundFlag:
        Config().SoundOpenFlag = static_cast<uint8_t>(lParam & 0xFF);
        break;
    case kq::kEventWarning:
        kq::ShowWarning(TeacherRes::IDS_STUDENT_ERROR);
        break;
    case kq::kEventActivityEnded:
    case kq::kEventActivityEnded2:
        ActivityState = kIdle;
        StopBroadcast();
        UpdateButtonStates();
        break;
    default: // 4 (a request) shows nothing; others are not events
        break;
    }
    return 0;
}

void CTeacherWnd::SeatWentOffline(int seat)
{
    if (m_seatMap == nullptr)
        return;
    m_seatMap->SetSeatState(seat, kq::kSeatOffline);
    if (ActivityState != kOnlineTest)
        return;
    uint16_t count = 0;
    uint8_t seats[kq::kMaxTargetSeats] = {};
    const bool anyOnline = m_seatMap->GetOnlineSeats(&count, seats) && count > 0;
    if (!anyOnline || SeatsInTest().empty())
        ActivityState = kIdle;
    UpdateTestButtons();
}

void CTeacherWnd::ShowSeatText(const void* record)
{
    kq::SeatText text;
    if (m_seatMap == nullptr || !kq::ReadSeatText(static_cast<const kq::SeatTextRecord*>(record), &text) ||
        m_seatMap->FindSeatByNumber(text.seat) == nullptr)
        return;
    m_seatMap->SetSeatCaption(text.seat, text.text.c_str());
}

void CTeacherWnd::SwitchToDiskless()
{
    uint32_t& mode = Config().mode;
    if (mode == kq::kTeacherModeDiskless || mode == kModeDisklessFromDiskless)
        return;
    g_bStuNoDisk = 1;
    Options().StuNoDisk = 1;
    mode = mode == 1 ? kModeDisklessFromDiskless : kq::kTeacherModeDiskless;
    LecternClose();
    m_transportOpen = false;
    if (LecternOpen(&m_settings.config))
        m_transportOpen = true;
    else
        StartupWarning(TeacherRes::IDS_TRANSPORT_OPEN_FAILED, kTransportHelpItem);
}

void CTeacherWnd::PushUpdate(int port)
{
    // The update lies beside the running program, whatever folder the
    // registry names for the settings.
    const std::string folder = kq::GetProgramFolder() + kUpdateFolder;
    // Diskless student PCs hear of the update first; a failed announcement
    // does not stop the push.
    if (g_bStuNoDisk != 0)
        AnnounceUpdate(static_cast<uint16_t>(port));
    const int result = StartServerToSendDir(folder.c_str(), m_hWnd, static_cast<WORD>(port));
    if (result < 0 && result != kTransmitAlreadyRunning)
        kq::ShowWarning(TeacherRes::IDS_UPDATE_PUSH_FAILED);
}

void CTeacherWnd::StudentHandedIn(int seat)
{
    if (m_seatMap == nullptr)
        return;
    m_collecting = 1;
    if (FirstPanelShown) {
        ActivityState = kHandInCollecting;
        m_seatMap->SetSeatState(seat, kq::kSeatOverlay);
    } else {
        ActivityState = kHandInDuringTest;
        const bool inTest = m_seatMap->GetSeatState(seat) == kq::kSeatInTest;
        m_seatMap->SetSeatState(seat, inTest ? kq::kSeatOverlayInTest : kq::kSeatOverlay);
    }
}

LRESULT CTeacherWnd::OnStudentLogon(WPARAM, LPARAM lParam)
{
    auto* record = reinterpret_cast<kq::StudentLogonRecord*>(lParam);
    if (record == nullptr || m_seatMap == nullptr)
        return kNoRecord;
    char ringFile[MAX_PATH] = {};
    ::GetPrivateProfileStringA("Other", "RingFile", kDefaultRingFile, ringFile, sizeof ringFile,
                               m_settingsFile.c_str());
    int newly = 0;
    const int result = m_seatMap->LoginByName(record, 0, &newly);
    if (newly && Options().Ring == 1)
        ::PlaySoundA(ringFile, nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    record->handUpAllowed = Options().Handup;
    if (m_fileServerPort > 0 && Options().Homework != 0) {
        record->homeworkActive = 1;
        const uint16_t port = static_cast<uint16_t>(m_fileServerPort);
        std::memcpy(&record->homeworkPort, &port, sizeof port);
    } else {
        record->homeworkActive = 0;
    }
    return result;
}

LRESULT CTeacherWnd::OnLecternError(WPARAM kind, LPARAM code)
{
    if (kind != kq::kLecternErrorReport && kind != kq::kLecternErrorFatal)
        return 0;
    const std::string text = kq::SystemErrorText(static_cast<uint32_t>(code));
    if (!text.empty())
        kq::ShowWarningText(text.c_str());
    else if (kind == kq::kLecternErrorFatal)
        kq::ShowWarning(TeacherRes::IDS_TRANSPORT_FATAL);
    if (kind == kq::kLecternErrorFatal)
        PostMessage(WM_CLOSE);
    return 0;
}

LRESULT CTeacherWnd::OnVideoNotify(WPARAM wParam, LPARAM lParam)
{
    switch (static_cast<int>(wParam)) {
    case kq::kVideoEnded: {
        KqVideoSControl(kq::kVideoStop, nullptr);
        if (m_seatMap != nullptr) {
            uint16_t count = 0;
            uint8_t seats[kq::kMaxTargetSeats] = {};
            if (m_seatMap->GetOnlineSeats(&count, seats)) {
                for (uint16_t i = 0; i < count; ++i)
                    m_seatMap->SetSeatState(seats[i], kq::kSeatLoggedOn);
            }
        }
        kq::ClearCommand(m_command);
        m_command.block.code = kCodeStopVideo;
        SendCommand();
        ActivityState = kIdle;
        UpdateButtonStates();
        for (UINT id : kVideoReenabled) {
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(TRUE);
        }
        m_panelA.ShowWindow(SW_SHOW);
        m_functionPanel.ShowWindow(SW_SHOW);
        for (UINT id : kPowerButtons) {
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_SHOW);
        }
        m_handUpButton.ShowWindow(SW_SHOW);
        m_handUpButton.EnableWindow(TRUE);
        m_videoBroadcastRunning = false;
        RestoreHandUp();
        return 0;
    }
    case kq::kVideoChannelStarted:
    case kq::kVideoChannelChanged: {
        kq::ClearCommand(m_command);
        if (m_seatMap == nullptr ||
            !m_seatMap->GetSelectedSeats(&m_command.block.targetCount, kq::TargetSeats(m_command), 0)) {
            kq::ShowWarning(TeacherRes::IDS_NO_SEAT_ONLINE);
            return kNoSeatOnline;
        }
        FillOnlineTargets();
        const bool started = wParam == kq::kVideoChannelStarted;
        m_command.block.code = started ? kCodeChannelStarted : kCodeChannelChanged;
        m_command.block.args[0] = started ? static_cast<uint8_t>(lParam & 0xFF) : 0;
        const uint16_t port = static_cast<uint16_t>(Config().MainPort + kVideoPortOffset);
        kq::SetCommandWord(m_command, kChannelPortOffset, port);
        kq::SetCommandWord(m_command, kChannelPort2Offset, port);
        SendCommand();
        return 0;
    }
    default:
        return 0;
    }
}
