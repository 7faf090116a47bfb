// Stop everything, and the enabling of the command buttons by the
// classroom's activity.

#include "teacher/TeacherWnd.h"

#include "standins/lectern/LecternTeacher.h"
#include "teacher/ButtonEnabling.h"
#include "teacher/Globals.h"
#include "teacher/SeatRecord.h"
#include "teacher/SeatStates.h"
#include "teacher/ToggleFaces.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

namespace {

using namespace TeacherRes;

constexpr WORD kStopCommand = 0;
constexpr WORD kDisklessStopCommand = 36;
constexpr UINT kTeachPageId = 521;
constexpr UINT kTestPageId = 522;
constexpr UINT kScreenLockId = 305;

bool SendsNothing()
{
    return ActivityState == kq::kActivityGroupWork || ActivityState == kq::kActivityInteract;
}

void Repaint(CWnd* button)
{
    if (button != nullptr && button->GetSafeHwnd() != nullptr) {
        button->Invalidate();
        button->UpdateWindow();
    }
}

} // namespace

void CTeacherWnd::SendStopToClass()
{
    kq::ClearCommand(m_command);
    m_command.block.code = kStopCommand;
    LecternSendCommand(&m_command);
}

void CTeacherWnd::SendPendingDisklessStop()
{
    if (g_bStuNoDisk) {
        m_disklessStopPending = false;
        return;
    }
    if (!m_disklessStopPending)
        return;
    kq::ClearCommand(m_command);
    m_command.block.code = kDisklessStopCommand;
    m_command.block.param = m_disklessStopParam;
    LecternSendCommand(&m_command);
    m_disklessStopPending = false;
}

void CTeacherWnd::DestroyFloatingToolBar()
{
    if (m_floatingToolBar == nullptr)
        return;
    kq::CloseBoxByTitle("KqPopSetDlg");
    if (m_floatingToolBar->GetSafeHwnd() != nullptr)
        m_floatingToolBar->DestroyWindow();
    delete m_floatingToolBar;
    m_floatingToolBar = nullptr;
}

void CTeacherWnd::RestoreToForeground(bool wasMinimised)
{
    SetForegroundWindow();
    ShowWindow(SW_RESTORE);
    if (wasMinimised) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CTeacherWnd::StopBroadcast()
{
    if (SendsNothing())
        return;
    m_broadcasting = false;
    SendStopToClass();
    DestroyFloatingToolBar();
    SendPendingDisklessStop();

    if (m_seatMap != nullptr) {
        uint8_t seats[kq::kMaxSeats] = {};
        uint16_t count = 0;
        if (m_seatMap->GetSeatsInState(kq::kSeatScreenLocked, &count, seats)) {
            for (uint16_t i = 0; i < count && i < kq::kMaxSeats; ++i)
                m_seatMap->SetSeatState(seats[i], kq::kSeatLoggedOn);
            m_screenLockOn = 0;
            if (CToggleBitmapButton* screenLock = m_functionPanel.Toggle(kScreenLockId)) {
                screenLock->LoadBitmaps(IDB_SCREEN_LOCK_UP, IDB_SCREEN_LOCK_DOWN, IDB_SCREEN_LOCK_FOCUS,
                                        IDB_SCREEN_LOCK_DISABLED);
                Repaint(screenLock);
            }
            ActivityState = kq::kActivityIdle;
            UpdateButtonStates();
        }
    }
    if (ActivityState == kq::kActivityBlankScreen) {
        m_collecting = 1;
        SetToggleFaces(kq::kBlankScreenToggle, true);
        UpdateButtonStates();
    }
    if (ActivityState == kq::kActivityTextOverlay) {
        SetToggleFaces(kq::kTestOverlayToggle, true);
        UpdateTestButtons();
    }
    RestoreToForeground(IsIconic() != FALSE);
}

void CTeacherWnd::UpdateButtonStates()
{
    kq::ApplyTeachingButtonStates(ActivityState, m_channelViewing != 0, m_panelA, m_functionPanel,
                                  GetDlgItem(kTestPageId));
}

void CTeacherWnd::UpdateTestButtons()
{
    kq::ApplyTestButtonStates(ActivityState, m_answersAvailable != 0, m_panelC, GetDlgItem(kTeachPageId));
}
