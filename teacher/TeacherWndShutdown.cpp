// CTeacherWnd: remote shutdown and restart of the students' PCs, and the
// off-line marking of their seats, at once or when their delay has run.

#include "teacher/TeacherWnd.h"

#include "teacher/SeatStates.h"
#include "teacher/dialogs/ShutdownDelayDlg.h"

#include "TeacherResources.h"

#include <utility>

namespace {

constexpr WORD kCodeRestart = 23;
constexpr WORD kCodeShutdown = 24;
constexpr int kMaxDelaySeconds = 255; // the delay travels in one byte

} // namespace

void CTeacherWnd::OnRemoteShutdown()
{
    RemotePower(kCodeShutdown, "是否确定远程关闭学生机？", TeacherRes::IDS_SHUTDOWN_DELAY);
}

void CTeacherWnd::OnRemoteRestart()
{
    RemotePower(kCodeRestart, "是否确定远程重起学生机？", TeacherRes::IDS_RESTART_DELAY);
}

void CTeacherWnd::RemotePower(WORD code, const char* question, UINT delayLabel)
{
    if (!BeginCommand())
        return;

    CString label;
    CString unit;
    label.LoadString(delayLabel);
    unit.LoadString(TeacherRes::IDS_DELAY_UNIT);
    CShutdownDelayDlg dialog;
    dialog.SetPrompt(question);
    dialog.SetDelayLabel(label);
    dialog.SetUnitLabel(unit);
    if (dialog.DoModal() != IDOK)
        return;
    const int delay = dialog.GetDelaySeconds();
    if (delay < 0 || delay > kMaxDelaySeconds)
        return; // the dialog never ends with such a delay

    // The PCs this command reaches: the whole class means every seat on line.
    kq::ShutdownSchedule::Seats targets;
    uint16_t count = m_command.block.targetCount;
    uint8_t online[kq::kMaxTargetSeats] = {};
    const uint8_t* seats = kq::TargetSeats(m_command);
    if (count == 0) {
        m_seatMap->GetOnlineSeats(&count, online);
        seats = online;
    }
    targets.assign(seats, seats + count);

    if (delay == 0) {
        for (uint8_t seat : targets)
            m_seatMap->SetSeatState(seat, kq::kSeatOffline);
    } else {
        m_shutdowns.Add(::GetTickCount64(), static_cast<unsigned>(delay), std::move(targets));
        ArmShutdownTimer();
    }
    m_command.block.param = static_cast<uint8_t>(delay);
    m_command.block.code = code;
    SendCommand();
}

void CTeacherWnd::ArmShutdownTimer()
{
    if (m_shutdownTimer != 0) {
        KillTimer(kShutdownTimerId);
        m_shutdownTimer = 0;
    }
    if (m_shutdowns.Empty())
        return;
    const uint64_t wait = m_shutdowns.MsUntilNext(::GetTickCount64());
    m_shutdownTimer = SetTimer(kShutdownTimerId, static_cast<UINT>(wait), nullptr);
}

void CTeacherWnd::OnShutdownTimer()
{
    if (m_shutdownTimer != 0) {
        KillTimer(kShutdownTimerId);
        m_shutdownTimer = 0;
    }
    const kq::ShutdownSchedule::Seats due = m_shutdowns.TakeDue(::GetTickCount64());
    if (m_seatMap != nullptr) {
        for (uint8_t seat : due)
            m_seatMap->SetSeatState(seat, kq::kSeatOffline);
    }
    ArmShutdownTimer();
}
