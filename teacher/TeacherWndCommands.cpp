// CTeacherWnd: the command block's common pattern, and the broadcast and
// monitoring commands of panel A with the floating broadcast toolbar.

#include "teacher/TeacherWnd.h"

#include "standins/lectern/LecternTeacher.h"
#include "teacher/Globals.h"
#include "teacher/SeatStates.h"
#include "teacher/ToggleFaces.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "widgets/KqToolBar.h"

#include "TeacherResources.h"

namespace {

// Command codes of panel A.
constexpr WORD kCodeBroadcast = 1;
constexpr WORD kCodeMonitor = 2;
constexpr WORD kCodeMultiMonitor = 3;
constexpr WORD kCodeRemoteControl = 4;
constexpr WORD kCodeDemonstrate = 6;

// Seat states that the commands read or set.

// The floating toolbar: at the top right of the screen.
constexpr int kToolBarWidth = 227;
constexpr int kToolBarHeight = 33;
constexpr int kToolBarRightGap = 232;
constexpr int kToolBarTop = 5;
constexpr int kToolBarButtonTop = 7;

struct ToolBarButtonSpec {
    UINT id;
    int x;
    UINT face;
    UINT disabledFace;
    UINT tip; // 0: none
};

constexpr UINT kBroadcastingIndicator = 870;
constexpr UINT kRecordButton = 838;

constexpr ToolBarButtonSpec kToolBarButtons[] = {
    {kBroadcastingIndicator, 5, TeacherRes::IDB_TOOLBAR_BROADCASTING, 0, 0},
    {839, 42, TeacherRes::IDB_TOOLBAR_SETTINGS, 0, TeacherRes::IDS_TIP_BROADCAST_SETTINGS},
    {kRecordButton, 79, TeacherRes::IDB_TOOLBAR_RECORD, TeacherRes::IDB_TOOLBAR_RECORD_ON, TeacherRes::IDS_TIP_RECORD},
    {875, 116, TeacherRes::IDB_TOOLBAR_WHITEBOARD, 0, TeacherRes::IDS_TIP_WHITEBOARD},
    {842, 153, TeacherRes::IDB_TOOLBAR_SCREEN_SWITCH, 0, TeacherRes::IDS_TIP_SCREEN_SWITCH},
    {837, 190, TeacherRes::IDB_TOOLBAR_STOP, 0, TeacherRes::IDS_TIP_STOP_BROADCAST},
};

} // namespace

// ---- The common pattern ----

bool CTeacherWnd::BeginCommand()
{
    kq::ClearCommand(m_command);
    if (m_seatMap == nullptr ||
        !m_seatMap->GetSelectedSeats(&m_command.block.targetCount, kq::TargetSeats(m_command), 0)) {
        kq::ShowWarning(TeacherRes::IDS_NO_SEAT_ONLINE);
        return false;
    }
    return true;
}

void CTeacherWnd::SendCommand()
{
    LecternSendCommand(&m_command);
}

bool CTeacherWnd::RequireOneSeat()
{
    const uint16_t count = m_command.block.targetCount;
    if (count == 1)
        return true;
    kq::ShowNotice(count == 0 ? TeacherRes::IDS_SELECT_ONE_SEAT : TeacherRes::IDS_ONLY_ONE_SEAT);
    return false;
}

bool CTeacherWnd::FillOnlineTargets()
{
    if (m_command.block.targetCount != 0)
        return true;
    return m_seatMap != nullptr &&
           m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command)) &&
           m_command.block.targetCount != 0;
}

void CTeacherWnd::SetTargetsState(int state)
{
    if (m_seatMap == nullptr)
        return;
    uint16_t count = m_command.block.targetCount;
    uint8_t online[kq::kMaxTargetSeats] = {};
    const uint8_t* seats = kq::TargetSeats(m_command);
    if (count == 0) {
        if (!m_seatMap->GetOnlineSeats(&count, online))
            return;
        seats = online;
    }
    for (uint16_t i = 0; i < count && i < kq::kMaxTargetSeats; ++i)
        m_seatMap->SetSeatState(seats[i], state);
}

void CTeacherWnd::MinimiseToTray()
{
    if (!IsIconic())
        ShowWindow(SW_MINIMIZE);
}

void CTeacherWnd::SetFaces(CButton* button, UINT up, UINT down, UINT focus, UINT disabled)
{
    auto* faces = dynamic_cast<CBitmapButton*>(button);
    if (faces == nullptr)
        return;
    faces->LoadBitmaps(up, down, focus, disabled);
    faces->Invalidate();
}

void CTeacherWnd::SetToggleFaces(UINT button, bool on)
{
    const kq::ToggleFaces* faces = kq::FacesOfToggle(button, on);
    if (faces == nullptr)
        return;
    CButton* toggle = button == kq::kTestOverlayToggle ? &m_panelC.OverlayButton() : m_functionPanel.Toggle(button);
    if (toggle != nullptr && toggle->GetSafeHwnd() != nullptr)
        SetFaces(toggle, faces->up, faces->down, faces->focus, faces->disabled);
}

// ---- Panel A ----

void CTeacherWnd::OnBroadcast()
{
    m_broadcasting = true; // stays set when the warning stops the command
    if (!BeginCommand())
        return;
    m_command.block.code = kCodeBroadcast;
    m_command.block.args[0] = Config().Record;
    SendCommand();
    CreateFloatingToolBar();
    MinimiseToTray();
}

void CTeacherWnd::OnMonitor()
{
    if (!BeginCommand())
        return;
    m_command.block.code = kCodeMonitor;
    m_command.block.args[0] = Options().WatchInterval;
    if (!FillOnlineTargets())
        return;
    SendCommand();
    MinimiseToTray();
}

void CTeacherWnd::OnDemonstrate()
{
    if (!BeginCommand() || !RequireOneSeat())
        return;
    m_command.block.code = kCodeDemonstrate;
    m_command.block.param = kq::TargetSeats(m_command)[0];
    m_command.block.targetCount = 0;
    SendCommand();
    MinimiseToTray();
}

void CTeacherWnd::OnRemoteControl()
{
    if (!BeginCommand() || !RequireOneSeat())
        return;
    const int seat = kq::TargetSeats(m_command)[0];
    // A raised hand is answered by taking over the PC.
    if (m_seatMap->GetSeatState(seat) == kq::kSeatHandUp)
        m_seatMap->SetSeatState(seat, kq::kSeatLoggedOn);
    m_command.block.code = kCodeRemoteControl;
    SendCommand();
    MinimiseToTray();
}

void CTeacherWnd::OnMultiMonitor()
{
    if (!BeginCommand())
        return;
    m_command.block.code = kCodeMultiMonitor;
    m_command.block.param = Options().MultiSrnCount;
    m_command.block.args[0] = Options().WatchInterval;
    if (!FillOnlineTargets())
        return;
    SendCommand();
    MinimiseToTray();
}

// ---- The floating broadcast toolbar ----

void CTeacherWnd::CreateFloatingToolBar()
{
    DestroyFloatingToolBar();
    auto* toolBar = new CKqToolBar();
    // No parent and no owner: the toolbar stays while the main window hides
    // in the tray; it only sends its commands here.
    if (!toolBar->Create(TeacherRes::IDB_BROADCAST_TOOLBAR, m_hWnd, WS_POPUP | WS_VISIBLE, kToolBarWidth,
                         kToolBarHeight, ::GetSystemMetrics(SM_CXSCREEN) - kToolBarRightGap, kToolBarTop)) {
        delete toolBar;
        return;
    }
    m_floatingToolBar = toolBar;
    for (const ToolBarButtonSpec& spec : kToolBarButtons) {
        CToolBarButton* button =
            toolBar->AddButton(spec.face, spec.x, kToolBarButtonTop, spec.id, spec.disabledFace, 0, nullptr);
        if (button == nullptr)
            return; // the buttons made so far stay
        if (spec.tip != 0) {
            CString tip;
            tip.LoadString(spec.tip);
            toolBar->AddButtonTip(button, tip);
        }
        if (spec.id == kBroadcastingIndicator)
            button->EnableWindow(FALSE);
    }
    // Diskless student PCs cannot record.
    if (CWnd* record = toolBar->GetDlgItem(kRecordButton))
        record->EnableWindow(g_bStuNoDisk == 0);
}
