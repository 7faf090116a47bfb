// CTeacherWnd: the teaching commands of the function panel, the page
// switch, the hand-up switch and the start of a video broadcast.

#include "teacher/TeacherWnd.h"

#include "common/TextField.h"
#include "common/VideoStartRecord.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/ComponentImports.h"
#include "teacher/Globals.h"
#include "teacher/SeatStates.h"
#include "teacher/dialogs/ChatDlg.h"
#include "teacher/dialogs/ChoiceDlg.h"
#include "teacher/dialogs/ExerciseListDlg.h"
#include "teacher/dialogs/FileSendDlg.h"
#include "teacher/dialogs/GroupNameDlg.h"
#include "teacher/dialogs/LineInputDlg.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/ToggleFaces.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/PresetTextDlg.h"
#include "teacher/dialogs/ThreeFieldDlg.h"
#include "teacher/dialogs/WarningDlg.h"

#include "TeacherResources.h"

#include <cstring>
#include <string>

namespace {

namespace layout = kq::message_box;

// Command codes of the function panel and the main window.
constexpr WORD kCodeEndActivity = 0;
constexpr WORD kCodeTutor = 5;
constexpr WORD kCodeThreeTexts = 9;
constexpr WORD kCodeGroupTalk = 7;
constexpr WORD kCodeGroupTeach = 8;
constexpr WORD kCodeSendFiles = 10;
constexpr WORD kCodeChat = 28;
constexpr WORD kCodeLogOnAgain = 19;
constexpr WORD kCodeNotice = 21;
constexpr WORD kCodeBlankScreenOn = 22;
constexpr WORD kCodeRefresh = 12;
constexpr WORD kCodeScreenLock = 13;
constexpr WORD kCodeHomework = 20;
constexpr WORD kCodeBlankScreenOff = 41;
constexpr WORD kCodeRollCallOn = 29;
constexpr WORD kCodeRollCallOff = 46;
constexpr WORD kCodeHandUpSwitch = 39;
constexpr WORD kCodeQuitStudents = 40;
constexpr WORD kCodeInteract = 47;
constexpr WORD kCodeRunExercise = 11;

// ActivityState values set here.
constexpr int kIdle = 0;
constexpr int kScreenLockRunning = 3;
constexpr int kBlankScreenRunning = 4;
constexpr int kGroupWorkRunning = 7;
constexpr int kInteractRunning = 8;
constexpr int kDialogOpen = 10;

// The classroom signal's commands: the first answer of the classroom
// question, or the second.
constexpr uint8_t kSignalFirstAnswer = 1;
constexpr uint8_t kSignalSecondAnswer = 0;
constexpr UINT kClassroomButton = 317;

// Where the group dialog's close button sits.
constexpr int kGroupNameCloseX = 402;
constexpr int kGroupNameCloseY = 4;

constexpr uint16_t kInteractMinimumSeats = 2;

// The chat's lines travel beside the classroom's main port.
constexpr uint16_t kChatPortOffset = 11;

constexpr int kHomeworkHelpItem = 20;

// Controls of the main window that a video broadcast hides or disables.
constexpr UINT kTeachPage = 521;
constexpr UINT kTestPage = 522;
constexpr UINT kPageTabs[] = {641, 642, 643};
constexpr UINT kPowerButtons[] = {511, 512, 513};
constexpr UINT kHandUpSwitch = 790;

// The video window's place: small screens put it elsewhere.
constexpr int kSmallScreenWidth = 640;
constexpr uint32_t kVideoXSmall = 388;
constexpr uint32_t kVideoXNormal = 548;
constexpr uint32_t kVideoY = 126;
constexpr uint16_t kVideoPortOffset = 40;

} // namespace

// ---- Hand-up switch ----

void CTeacherWnd::SendHandUpSwitch(int allowed)
{
    kq::ClearCommand(m_command);
    m_command.block.code = kCodeHandUpSwitch;
    m_command.block.param = static_cast<uint8_t>(allowed);
    SendCommand();
}

void CTeacherWnd::SuspendHandUp()
{
    if (Options().Handup != 1)
        return;
    m_handUpSuspended = 1;
    Options().Handup = 0;
    SendHandUpSwitch(0);
}

void CTeacherWnd::RestoreHandUp()
{
    if (m_handUpSuspended == 0)
        return;
    m_handUpSuspended = 0;
    Options().Handup = 1;
    SendHandUpSwitch(1);
}

void CTeacherWnd::OnHandUpSwitch()
{
    Options().Handup = Options().Handup ? 0 : 1;
    SendHandUpSwitch(Options().Handup);
    if (Options().Handup)
        SetFaces(&m_handUpButton, TeacherRes::IDB_HAND_UP_ALLOWED, 0, 0, TeacherRes::IDB_HAND_UP_DISABLED);
    else
        SetFaces(&m_handUpButton, TeacherRes::IDB_HAND_UP_FORBIDDEN, TeacherRes::IDB_HAND_UP_ALLOWED, 0,
                 TeacherRes::IDB_HAND_UP_DISABLED);
}

// ---- Pages ----

void CTeacherWnd::OnTeachPage()
{
    if (FirstPanelShown != 0)
        return;
    FirstPanelShown = 1;
    m_panelA.ShowWindow(SW_SHOW);
    m_functionPanel.ShowWindow(SW_SHOW);
    m_panelC.ShowWindow(SW_HIDE);
    SetFaces(&m_teachPageButton, TeacherRes::IDB_TEACH_PAGE_DOWN, TeacherRes::IDB_TEACH_PAGE_DOWN, 0, 0);
    SetFaces(&m_testPageButton, TeacherRes::IDB_TEST_PAGE_UP, TeacherRes::IDB_TEST_PAGE_DOWN, 0, 0);
    UpdateButtonStates();
    m_handUpButton.EnableWindow(TRUE);
    RestoreHandUp();
}

void CTeacherWnd::OnTestPage()
{
    if (FirstPanelShown != 1)
        return;
    FirstPanelShown = 0;
    m_panelA.ShowWindow(SW_HIDE);
    m_functionPanel.ShowWindow(SW_HIDE);
    m_panelC.ShowWindow(SW_SHOW);
    SetFaces(&m_testPageButton, TeacherRes::IDB_TEST_PAGE_DOWN, TeacherRes::IDB_TEST_PAGE_DOWN, 0, 0);
    SetFaces(&m_teachPageButton, TeacherRes::IDB_TEACH_PAGE_UP, TeacherRes::IDB_TEACH_PAGE_DOWN, 0, 0);
    UpdateTestButtons();
    m_handUpButton.EnableWindow(FALSE);
    SuspendHandUp();
}

// ---- Video broadcast ----

void CTeacherWnd::StartVideoBroadcast(int mode, int activity)
{
    const bool small = ::GetSystemMetrics(SM_CXSCREEN) <= kSmallScreenWidth;
    kq::VideoStartRecord record = {};
    record.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_hWnd));
    record.videoPort = static_cast<uint16_t>(Config().MainPort + kVideoPortOffset);
    record.videoPort2 = record.videoPort;
    record.smallScreen = small ? 1 : 0;
    record.x = small ? kVideoXSmall : kVideoXNormal;
    record.y = kVideoY;
    record.mediaType = Config().MediaType;
    record.group = Config().classroomGroup;
    record.mainPort = Config().MainPort;
    if (KqVideoSControl(mode, &record) < 0) {
        kq::ShowWarning(TeacherRes::IDS_VIDEO_START_FAILED);
        return;
    }
    m_videoBroadcastRunning = true;
    ActivityState = activity;
    UpdateButtonStates();
    for (UINT id : {kTeachPage, kTestPage, kPageTabs[0], kPageTabs[1], kPageTabs[2]}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(FALSE);
    }
    m_panelA.ShowWindow(SW_HIDE);
    m_functionPanel.ShowWindow(SW_HIDE);
    for (UINT id : kPowerButtons) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    }
    m_handUpButton.ShowWindow(SW_HIDE);
    m_handUpButton.EnableWindow(FALSE);
    SuspendHandUp();
}

void CTeacherWnd::OnVideo()
{
    StartVideoBroadcast(kq::kVideoStartAll, kq::kVideoStartAll);
}

void CTeacherWnd::OnMedia()
{
    StartVideoBroadcast(kq::kVideoStartChannels, kq::kVideoStartChannels);
}

// ---- Function panel ----

void CTeacherWnd::OnTutor()
{
    if (!BeginCommand() || !RequireOneSeat())
        return;
    m_command.block.code = kCodeTutor;
    m_command.block.param = kq::TargetSeats(m_command)[0];
    m_command.block.targetCount = 0;
    SendCommand();
    MinimiseToTray();
}

void CTeacherWnd::OnInteract()
{
    if (!BeginCommand())
        return;
    if (!FillOnlineTargets() || m_command.block.targetCount < kInteractMinimumSeats) {
        kq::ShowWarning(TeacherRes::IDS_TWO_SEATS_NEEDED);
        return;
    }
    m_command.block.code = kCodeInteract;
    SendCommand();
    ShowWindow(SW_MINIMIZE);
    ActivityState = kInteractRunning;
    UpdateButtonStates();
}

bool CTeacherWnd::AskPresetText(UINT background, CString& text)
{
    CPresetTextDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY, background, nullptr);
    if (RunCommandDialog(dialog) != IDOK)
        return false;
    text = dialog.GetText();
    return true;
}

INT_PTR CTeacherWnd::RunCommandDialog(CDialog& dialog)
{
    // Handlers that run while the dialog is open use the block too: the
    // selection read before it is put back.
    const kq::CommandBlockWithTail selection = m_command;
    const INT_PTR result = dialog.DoModal();
    m_command = selection;
    return result;
}

void CTeacherWnd::OnNotice()
{
    CString text;
    if (!BeginCommand() || !AskPresetText(TeacherRes::IDB_NOTICE_TEXT_BACKGROUND, text))
        return;
    m_command.block.code = kCodeNotice;
    kq::SetCommandText(m_command, text);
    SendCommand();
}

void CTeacherWnd::OnBlankScreen()
{
    if (!BeginCommand())
        return;
    if (m_collecting == 0) {
        BlankScreensOn();
        return;
    }
    m_command.block.code = kCodeBlankScreenOff;
    SendCommand();
    SetTargetsState(kq::kSeatLoggedOn);
    uint16_t stillBlanked = 0;
    uint8_t seats[kq::kMaxTargetSeats] = {};
    if (m_seatMap->GetSeatsInState(kq::kSeatOverlay, &stillBlanked, seats) && stillBlanked > 0) {
        ActivityState = kBlankScreenRunning; // the toggle stays on for the others
    } else {
        SetFaces(m_functionPanel.Toggle(304), TeacherRes::IDB_BLANK_SCREEN_UP, TeacherRes::IDB_BLANK_SCREEN_DOWN,
                 TeacherRes::IDB_BLANK_SCREEN_FOCUS, TeacherRes::IDB_BLANK_SCREEN_DISABLED);
        m_collecting = 0;
        ActivityState = kIdle;
    }
    UpdateButtonStates();
}

void CTeacherWnd::BlankScreensOn()
{
    CString text;
    if (!AskPresetText(TeacherRes::IDB_BLANK_TEXT_BACKGROUND, text))
        return;
    m_command.block.code = kCodeBlankScreenOn;
    kq::SetCommandText(m_command, text);
    SendCommand();
    SetFaces(m_functionPanel.Toggle(304), TeacherRes::IDB_BLANK_SCREEN_ON_UP, TeacherRes::IDB_BLANK_SCREEN_ON_DOWN,
             TeacherRes::IDB_BLANK_SCREEN_ON_FOCUS, 0);
    SetTargetsState(kq::kSeatOverlay);
    m_collecting = 1;
    ActivityState = kBlankScreenRunning;
    UpdateButtonStates();
}

void CTeacherWnd::OnScreenLock()
{
    if (!BeginCommand())
        return;
    // The lock covers every on-line seat, whatever is selected.
    kq::ClearCommand(m_command);
    m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command));
    const bool turningOn = m_screenLockOn == 0;
    m_command.block.code = turningOn ? kCodeScreenLock : kCodeEndActivity;
    SendCommand();
    m_screenLockOn = turningOn ? 1 : 0;
    if (turningOn) {
        SetFaces(m_functionPanel.Toggle(305), TeacherRes::IDB_SCREEN_LOCK_ON_UP, TeacherRes::IDB_SCREEN_LOCK_ON_DOWN,
                 TeacherRes::IDB_SCREEN_LOCK_ON_FOCUS, 0);
        SetTargetsState(kq::kSeatScreenLocked);
        ActivityState = kScreenLockRunning;
    } else {
        SetFaces(m_functionPanel.Toggle(305), TeacherRes::IDB_SCREEN_LOCK_UP, TeacherRes::IDB_SCREEN_LOCK_DOWN,
                 TeacherRes::IDB_SCREEN_LOCK_FOCUS, TeacherRes::IDB_SCREEN_LOCK_DISABLED);
        SetTargetsState(kq::kSeatLoggedOn);
        ActivityState = kIdle;
    }
    UpdateButtonStates();
}

void CTeacherWnd::OnExercise()
{
    // The list first, then the selection: nothing selected sends the
    // exercise to the whole class.
    CExerciseListDlg list;
    if (list.DoModal() != IDOK || !BeginCommand())
        return;
    m_command.block.code = kCodeRunExercise;
    if (list.GetProgram().IsEmpty()) {
        kq::ShowWarning(TeacherRes::IDS_EXERCISE_EMPTY);
        return;
    }
    kq::SetCommandText(m_command, list.GetProgram());
    SendCommand();
}

void CTeacherWnd::OnSendFiles()
{
    if (g_bStuNoDisk == 1) {
        kq::ShowWarning(TeacherRes::IDS_DISKLESS_REFUSED);
        return;
    }
    if (!BeginCommand() || !FillOnlineTargets())
        return;
    m_command.block.code = kCodeSendFiles;
    // The dialog sends its block while it is open, when the main window's
    // own may be in use: it gets a copy.
    kq::CommandBlockWithTail block = m_command;
    CFileSendDlg dialog(&block, &Options());
    ActivityState = kDialogOpen;
    UpdateButtonStates();
    dialog.DoModal();
    ActivityState = kIdle;
    UpdateButtonStates();
}

void CTeacherWnd::OnHomework()
{
    if (!BeginCommand())
        return;
    if (!StartHomeworkServer()) {
        StartupWarning(TeacherRes::IDS_HOMEWORK_SERVER_FAILED, kHomeworkHelpItem);
        return;
    }
    m_command.block.code = kCodeHomework;
    kq::SetCommandWord(m_command, kq::kCommandFirstTextOffset, static_cast<uint16_t>(m_fileServerPort));
    SendCommand();

    const std::string folder(Options().RecvPath, kq::TextFieldLength(Options().RecvPath, sizeof Options().RecvPath));
    kq::ShowWarningText((std::string("学生上交的作业位于: ") + folder).c_str());
}

void CTeacherWnd::OnChat()
{
    if (!BeginCommand())
        return;
    if (m_command.block.targetCount != 1) {
        kq::ShowWarning(TeacherRes::IDS_CHAT_ONE_SEAT);
        return;
    }
    const int seat = kq::TargetSeats(m_command)[0];
    if (m_seatMap->GetSeatState(seat) == kq::kSeatHandUp)
        m_seatMap->SetSeatState(seat, kq::kSeatLoggedOn);
    m_command.block.code = kCodeChat;
    SendCommand();

    CChatDlg dialog;
    dialog.m_port = static_cast<uint16_t>(Config().MainPort + kChatPortOffset);
    dialog.m_group = Config().classroomGroup;
    const int saved = ActivityState;
    ActivityState = kDialogOpen;
    UpdateButtonStates();
    RunCommandDialog(dialog);
    ActivityState = saved;
    UpdateButtonStates();

    // The same seat is told that the chat is over.
    m_command.block.code = kCodeEndActivity;
    SendCommand();
    SetToggleFaces(kq::kChatToggle, false);
}

void CTeacherWnd::StartGroupWork()
{
    SendCommand();
    ShowWindow(SW_MINIMIZE);
    ActivityState = kGroupWorkRunning;
    UpdateButtonStates();
}

void CTeacherWnd::OnGroupTalk()
{
    if (!BeginCommand())
        return;
    CLineInputDlg dialog(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY,
                         TeacherRes::IDB_LINE_INPUT_BACKGROUND, nullptr);
    if (RunCommandDialog(dialog) != IDOK)
        return;
    m_command.block.code = kCodeGroupTalk;
    m_command.block.targetCount = 0;
    kq::SetCommandBytes(m_command, kq::kCommandFirstTextOffset, &dialog.Result(), sizeof(kq::GroupRecord));
    StartGroupWork();
}

void CTeacherWnd::OnGroupTeach()
{
    kq::ClearCommand(m_command);
    if (m_seatMap == nullptr || !m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command))) {
        kq::ShowWarning(TeacherRes::IDS_NO_SEAT_ONLINE);
        return;
    }
    CGroupNameDlg dialog(TeacherRes::IDD_MESSAGE_BOX, kGroupNameCloseX, kGroupNameCloseY,
                         TeacherRes::IDB_GROUP_NAME_BACKGROUND, nullptr);
    const kq::CSeatArrangement& seats = m_seatMap->Arrangement();
    dialog.SetSeats(m_seatMap, seats.Grid(), static_cast<uint16_t>(seats.ColumnCount()),
                    static_cast<uint16_t>(seats.RowCount()));
    if (RunCommandDialog(dialog) != IDOK)
        return;
    m_command.block.code = kCodeGroupTeach;
    const auto& records = dialog.Records();
    kq::SetCommandBytes(m_command, kq::kCommandFirstTextOffset, records.data(), sizeof records);
    // The targets are the members the dialog listed, group by group.
    std::memcpy(kq::TargetSeats(m_command), dialog.SeatNumbers(), kq::kMaxTargetSeats);
    m_command.block.targetCount = dialog.SeatNumberCount();
    StartGroupWork();
}

void CTeacherWnd::OnGroupSetup()
{
    if (m_seatMap != nullptr)
        m_seatMap->AssignGroups();
}

void CTeacherWnd::OnSeatEdit()
{
    if (m_seatMap == nullptr)
        return;
    const int activity = ActivityState;
    ActivityState = kDialogOpen;
    UpdateButtonStates();
    m_seatMap->EditSeats();
    ActivityState = activity;
    UpdateButtonStates();
    // Every student PC logs on again, to its seat in the new arrangement.
    kq::ClearCommand(m_command);
    m_command.block.code = kCodeLogOnAgain;
    SendCommand();
}

void CTeacherWnd::OnQuitStudents()
{
    if (!BeginCommand())
        return;
    if (!kq::AskYesNo(TeacherRes::IDS_QUIT_STUDENTS_QUESTION))
        return;
    m_command.block.code = kCodeQuitStudents;
    SendCommand();
    SetTargetsState(kq::kSeatOffline);
}

void CTeacherWnd::OnMessage()
{
    if (!BeginCommand())
        return;
    CThreeFieldDlg dialog;
    if (RunCommandDialog(dialog) != IDOK)
        return;
    m_command.block.code = kCodeThreeTexts;
    kq::SetCommandFields(m_command, dialog.GetFirstText().GetString(), dialog.GetMiddleText().GetString(),
                         dialog.GetLastText().GetString());
    SendCommand();
}

void CTeacherWnd::OnRollCall()
{
    if (!BeginCommand())
        return;
    const bool turningOn = m_rollCallOn == 0;
    m_command.block.code = turningOn ? kCodeRollCallOn : kCodeRollCallOff;
    m_command.block.targetCount = 0;
    SendCommand();
    m_rollCallOn = turningOn ? 1 : 0;
    if (turningOn)
        SetFaces(m_functionPanel.Toggle(316), TeacherRes::IDB_ROLL_CALL_ON_UP, TeacherRes::IDB_ROLL_CALL_ON_DOWN,
                 TeacherRes::IDB_ROLL_CALL_ON_FOCUS, 0);
    else
        SetFaces(m_functionPanel.Toggle(316), TeacherRes::IDB_ROLL_CALL_UP, TeacherRes::IDB_ROLL_CALL_DOWN,
                 TeacherRes::IDB_ROLL_CALL_FOCUS, 0);
}

void CTeacherWnd::OnClassroom()
{
    // The seat map's menu offers it too: only while the button is usable.
    CButton* button = m_functionPanel.Button(kClassroomButton);
    if (button == nullptr || button->GetSafeHwnd() == nullptr || !button->IsWindowEnabled())
        return;
    CChoiceDlg question(TeacherRes::IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY,
                        TeacherRes::IDB_CLASSROOM_QUESTION, nullptr);
    const INT_PTR answer = question.DoModal();
    if (answer != IDOK && answer != CChoiceDlg::kSecondAnswer)
        return;
    SendClassroomSignal(answer == IDOK ? kSignalFirstAnswer : kSignalSecondAnswer);
    kq::ClearCommand(m_command);
    uint16_t count = 0;
    uint8_t online[kq::kMaxTargetSeats] = {};
    if (m_seatMap == nullptr || !m_seatMap->GetOnlineSeats(&count, online))
        return;
    // The student PCs log on again: until then they are off line.
    for (uint16_t i = 0; i < count && i < kq::kMaxTargetSeats; ++i)
        m_seatMap->SetSeatState(online[i], kq::kSeatOffline);
    m_command.block.code = kCodeEndActivity;
    SendCommand();
}

void CTeacherWnd::OnRefresh()
{
    kq::ClearCommand(m_command);
    m_command.block.code = kCodeRefresh;
    SendCommand();
}

void CTeacherWnd::OnToolBarStop()
{
    StopBroadcast();
    DestroyFloatingToolBar();
}

void CTeacherWnd::OnToggleRecord()
{
    kq::BroadcastOptions options = CurrentBroadcastOptions();
    options.Record = options.Record == 0 ? 1 : 0;
    ApplyBroadcastOptions(options);
}

// ---- Broadcast options and the seat just clicked ----

kq::BroadcastOptions CTeacherWnd::CurrentBroadcastOptions() const
{
    const kq::TeacherConfig& config = m_settings.config;
    return {config.CompressMethord, config.DelaySon, config.DelayMon, config.Record, config.ScreenChange};
}

void CTeacherWnd::ApplyBroadcastOptions(const kq::BroadcastOptions& options)
{
    LecternSetOptions(&options);
    Config().CompressMethord = options.CompressMethord;
    Config().DelaySon = options.DelaySon;
    Config().DelayMon = options.DelayMon;
    Config().Record = options.Record;
    Config().ScreenChange = options.ScreenChange;
}

void CTeacherWnd::OnToggleScreenChange()
{
    kq::BroadcastOptions options = CurrentBroadcastOptions();
    const bool wasOn = options.ScreenChange == 1;
    options.ScreenChange = wasOn ? 0 : 1;
    ApplyBroadcastOptions(options);
    kq::ShowWarning(wasOn ? TeacherRes::IDS_SCREEN_CHANGE_OFF : TeacherRes::IDS_SCREEN_CHANGE_ON);
}

LRESULT CTeacherWnd::OnButtonStateNotify(WPARAM wParam, LPARAM)
{
    // The text overlay toggle of the page shown.
    const UINT overlay = FirstPanelShown == 1 ? kq::kBlankScreenToggle : kq::kTestOverlayToggle;
    switch (LOWORD(wParam)) {
    case CKqListCtrl::kBackgroundSeat:
        break; // nothing to show
    case kq::kSeatHandUp:
        SetToggleFaces(kq::kChatToggle, true);
        SetToggleFaces(overlay, false);
        m_collecting = 0;
        break;
    case kq::kSeatOverlayInTest:
        // The seat is in a test: the test page's toggle, whichever page shows.
        SetToggleFaces(kq::kChatToggle, false);
        SetToggleFaces(kq::kTestOverlayToggle, true);
        m_collecting = 1;
        break;
    case kq::kSeatOverlay:
        SetToggleFaces(kq::kChatToggle, false);
        SetToggleFaces(overlay, true);
        m_collecting = 1;
        break;
    default:
        SetToggleFaces(kq::kChatToggle, false);
        SetToggleFaces(overlay, false);
        m_collecting = 0;
        break;
    }
    UpdateButtonStates();
    return 0;
}
