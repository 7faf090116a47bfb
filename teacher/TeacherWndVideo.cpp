// CTeacherWnd: the video channels. The video broadcast dialog in its two
// modes, the end of a student's view, the player's report that a channel
// ended, the sound switch of the popup settings, and the stop of every
// channel and of the channel server when the program closes.

#include "teacher/TeacherWnd.h"

#include "common/VodCommandDatagram.h"
#include "teacher/Globals.h"
#include "teacher/ButtonEnabling.h"
#include "teacher/SeatRecord.h"
#include "teacher/SeatStates.h"
#include "teacher/ToggleFaces.h"
#include "teacher/VodCommandSender.h"
#include "teacher/dialogs/VideoBroadcastDlg.h"

#include "TeacherResources.h"

#include <algorithm>
#include <string>

namespace {

// Command codes.
constexpr WORD kCodeChannel = 16;
constexpr WORD kCodeEndVideoView = 17;
constexpr WORD kCodeEndSeatActivity = 42;
constexpr WORD kCodeSoundOn = 43;
constexpr WORD kCodeSoundOff = 44;
// The channel command's flag at 5, and the sound switch's parameter and extra.
constexpr uint8_t kChannelFlag = 1;
constexpr uint8_t kSoundParam = 1;
constexpr uint8_t kSoundExtra = 1;


// The dialog's frame: its template, close button and background.
constexpr int kDialogCloseX = 321;
constexpr int kDialogCloseY = 4;

constexpr UINT kChannelServerExitCode = 2;
constexpr LRESULT kNobodyOnLine = -1;

} // namespace

bool CTeacherWnd::RunVideoDialog(int mode)
{
    if (!BeginCommand())
        return false;
    m_command.block.code = kCodeChannel;
    m_command.block.args[0] = kChannelFlag;
    CVideoBroadcastDlg dialog(TeacherRes::IDD_MESSAGE_BOX, kDialogCloseX, kDialogCloseY,
                              TeacherRes::IDB_VIDEO_BROADCAST_BACKGROUND, nullptr);
    dialog.SetClassroom(Options().ClassroomID);
    dialog.SetMode(mode);
    dialog.SetChannelList(&m_videoChannels);
    dialog.SetServerProcess(&m_channelServer);
    dialog.SetCommandBlock(&m_command);
    dialog.SetGroupAddress(Config().classroomGroup);
    dialog.DoModal();
    return true;
}

void CTeacherWnd::OnVodDialog()
{
    if (!RunVideoDialog(CVideoBroadcastDlg::kShowMode) || m_seatMap == nullptr)
        return;
    // Watchers of a channel that no longer plays are back to logged on.
    for (int state = kq::kFirstChannelSeatState; state <= kq::kLastChannelSeatState; ++state) {
        const int after = kq::WatcherStateAfterDialog(m_videoChannels, state);
        uint16_t count = 0;
        uint8_t seats[kq::kMaxSeats] = {};
        if (after == state || !m_seatMap->GetSeatsInState(state, &count, seats))
            continue;
        for (uint16_t i = 0; i < count && i < kq::kMaxSeats; ++i)
            m_seatMap->SetSeatState(seats[i], after);
    }
    ActivityState = kq::AnyChannelActive(m_videoChannels) ? kq::kActivityVideo : kq::kActivityIdle;
    UpdateButtonStates();
}

void CTeacherWnd::OnVideoDialog()
{
    if (RunVideoDialog(CVideoBroadcastDlg::kManageMode))
        UpdateChannelViewing();
}

void CTeacherWnd::OnEndVideoView()
{
    // The block is not cleared: code 17 goes with the parameters the last
    // command left (the channel's name after the channel command).
    if (m_seatMap == nullptr)
        return;
    uint16_t count = 0;
    uint8_t seats[kq::kMaxSeats] = {};
    m_seatMap->GetSelectedSeats(&count, seats, 0);
    if (count == kq::kNoSeats)
        return; // a map without seats addresses nobody
    m_command.block.targetCount = count;
    std::copy(seats, seats + kq::kMaxSeats, kq::TargetSeats(m_command));
    m_command.block.code = kCodeEndVideoView;
    SendCommand();
}

void CTeacherWnd::OnEndSeatActivity()
{
    if (!BeginCommand())
        return;
    // Only the first seat of the selection; nothing selected lists no seat.
    const uint8_t first = kq::TargetSeats(m_command)[0];
    if (first < kq::kFirstSeatNumber || first > kq::kLastSeatNumber)
        return;
    m_command.block.code = kCodeEndSeatActivity;
    m_command.block.targetCount = 1;
    m_seatMap->SetSeatState(first, kq::kSeatLoggedOn);
    SendCommand();
    SetToggleFaces(kq::kChatToggle, false);
}

LRESULT CTeacherWnd::OnSoundSwitch(WPARAM wParam, LPARAM)
{
    kq::ClearCommand(m_command);
    if (m_seatMap == nullptr ||
        !m_seatMap->GetSelectedSeats(&m_command.block.targetCount, kq::TargetSeats(m_command), 0))
        return kNobodyOnLine;
    m_command.block.param = kSoundParam;
    m_command.block.code = wParam != 0 ? kCodeSoundOn : kCodeSoundOff;
    m_command.block.extra = kSoundExtra;
    SendCommand();
    return 0;
}

LRESULT CTeacherWnd::OnVodChannelEnded(WPARAM wParam, LPARAM)
{
    kq::VideoChannel* ended = kq::FindEndedChannel(m_videoChannels, static_cast<uint16_t>(wParam & 0xFFFF));
    if (ended == nullptr)
        return 0;
    ended->state = kq::kChannelStopped;
    if (ended->number >= kq::kFirstChannelSeatState && m_seatMap != nullptr) {
        uint16_t count = 0;
        uint8_t seats[kq::kMaxSeats] = {};
        if (m_seatMap->GetSeatsInState(ended->number, &count, seats)) {
            for (uint16_t i = 0; i < count && i < kq::kMaxSeats; ++i)
                m_seatMap->SetSeatState(seats[i], kq::kSeatLoggedOn);
        }
    }
    UpdateChannelViewing();
    return 0;
}

void CTeacherWnd::StopVodChannels()
{
    const uint16_t port = static_cast<uint16_t>(kq::kVodCommandPortBase + Options().ClassroomID);
    for (kq::VideoChannel& channel : m_videoChannels) {
        if (!channel.Active())
            continue;
        in_addr server{};
        server.s_addr = channel.serverAddress;
        const std::string serverText = inet_ntoa(server);
        const VodCommandArgs args{serverText.c_str(), static_cast<uint16_t>(channel.key & 0xFFFF),
                                  Config().classroomGroup, port, kq::kVodWordStop};
        SendVodCommand(&args);
        channel.state = kq::kChannelStopped;
    }
}

void CTeacherWnd::EndChannelServer()
{
    if (m_channelServer.hProcess != nullptr) {
        DWORD exitCode = 0;
        if (::GetExitCodeProcess(m_channelServer.hProcess, &exitCode) && exitCode == STILL_ACTIVE)
            ::TerminateProcess(m_channelServer.hProcess, kChannelServerExitCode);
        ::CloseHandle(m_channelServer.hProcess);
    }
    if (m_channelServer.hThread != nullptr)
        ::CloseHandle(m_channelServer.hThread);
    m_channelServer = PROCESS_INFORMATION{};
}
