// CTeacherWnd: the teaching commands of the function panel, the page
// switch, the hand-up switch and the start of a video broadcast.

#include "teacher/TeacherWnd.h"

#include "common/TextField.h"
#include "common/VideoStartRecord.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/ComponentImports.h"
#include "teacher/Globals.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/WarningDlg.h"

#include "TeacherResources.h"

#include <string>

namespace {

// Command codes of the function panel and the main window.
constexpr WORD kCodeEndActivity = 0;
constexpr WORD kCodeTutor = 5;
constexpr WORD kCodeRefresh = 12;
constexpr WORD kCodeRollCall = 13;
constexpr WORD kCodeHomework = 20;
constexpr WORD kCodeBlankScreenOff = 41;
constexpr WORD kCodeSeatInfoOn = 29;
constexpr WORD kCodeSeatInfoOff = 46;
constexpr WORD kCodeHandUpSwitch = 39;
constexpr WORD kCodeQuitStudents = 40;
constexpr WORD kCodeInteract = 47;

// Seat states.
constexpr int kStateOffline = 0;
constexpr int kStateLoggedOn = 1;
constexpr int kStateHandUp = 2;
constexpr int kStateBlanked = 6;
constexpr int kStateRollCall = 7;

// ActivityState values set here.
constexpr int kIdle = 0;
constexpr int kRollCallRunning = 3;
constexpr int kBlankScreenRunning = 4;
constexpr int kInteractRunning = 8;
constexpr int kDialogOpen = 10;

constexpr uint16_t kInteractMinimumSeats = 2;

// The homework server's port results.
constexpr int kServerAlreadyRunning = kTransmitAlreadyRunning;
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

// True when the CP936 text ends in a backslash that is a character of its
// own (0x5C can be the trail byte of a double-byte character).
bool EndsWithBackslash(const std::string& text)
{
    bool last = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (kq::IsCp936LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            last = false;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}

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

void CTeacherWnd::OnNotice()
{
    // The preset text dialog writes its text with kq::SetCommandText and
    // sends; without it the command ends after the check, as on Cancel.
    BeginCommand();
}

void CTeacherWnd::OnBlankScreen()
{
    if (!BeginCommand())
        return;
    if (m_collecting == 0) {
        // Turning on asks for the text shown on the dark screens (the
        // preset text dialog); without it the command ends here, as on Cancel.
        return;
    }
    m_command.block.code = kCodeBlankScreenOff;
    SendCommand();
    SetTargetsState(kStateLoggedOn);
    uint16_t stillBlanked = 0;
    uint8_t seats[kq::kMaxTargetSeats] = {};
    if (m_seatMap->GetSeatsInState(kStateBlanked, &stillBlanked, seats) && stillBlanked > 0) {
        ActivityState = kBlankScreenRunning; // the toggle stays on for the others
    } else {
        SetFaces(m_functionPanel.Toggle(304), TeacherRes::IDB_BLANK_SCREEN_UP, TeacherRes::IDB_BLANK_SCREEN_DOWN,
                 TeacherRes::IDB_BLANK_SCREEN_FOCUS, TeacherRes::IDB_BLANK_SCREEN_DISABLED);
        m_collecting = 0;
        ActivityState = kIdle;
    }
    UpdateButtonStates();
}

void CTeacherWnd::OnRollCall()
{
    if (!BeginCommand())
        return;
    // Roll call addresses every on-line seat, whatever is selected.
    kq::ClearCommand(m_command);
    m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command));
    const bool turningOn = m_rollCallOn == 0;
    m_command.block.code = turningOn ? kCodeRollCall : kCodeEndActivity;
    SendCommand();
    m_rollCallOn = turningOn ? 1 : 0;
    if (turningOn) {
        SetFaces(m_functionPanel.Toggle(305), TeacherRes::IDB_ROLL_CALL_ON_UP, TeacherRes::IDB_ROLL_CALL_ON_DOWN,
                 TeacherRes::IDB_ROLL_CALL_ON_FOCUS, 0);
        SetTargetsState(kStateRollCall);
        ActivityState = kRollCallRunning;
    } else {
        SetFaces(m_functionPanel.Toggle(305), TeacherRes::IDB_ROLL_CALL_UP, TeacherRes::IDB_ROLL_CALL_DOWN,
                 TeacherRes::IDB_ROLL_CALL_FOCUS, TeacherRes::IDB_ROLL_CALL_DISABLED);
        SetTargetsState(kStateLoggedOn);
        ActivityState = kIdle;
    }
    UpdateButtonStates();
}

void CTeacherWnd::OnExercise()
{
    // The exercise list comes first and then the selection check; the
    // dialog (which also refuses an empty text with 57463) brings both.
}

void CTeacherWnd::OnSendFiles()
{
    if (g_bStuNoDisk == 1) {
        kq::ShowWarning(TeacherRes::IDS_DISKLESS_REFUSED);
        return;
    }
    if (!BeginCommand() || !FillOnlineTargets())
        return;
    // The file sending dialog fills and sends the block; while it is open
    // the other command buttons rest.
}

void CTeacherWnd::OnHomework()
{
    if (!BeginCommand())
        return;
    std::string folder(Options().RecvPath, kq::TextFieldLength(Options().RecvPath, sizeof Options().RecvPath));
    if (folder.empty()) {
        StartupWarning(TeacherRes::IDS_HOMEWORK_SERVER_FAILED, kHomeworkHelpItem);
        return;
    }
    if (!EndsWithBackslash(folder))
        folder += '\\';
    const int result = StartFileServer(folder.c_str(), m_hWnd);
    if (result >= 0) {
        m_fileServerPort = result;
    } else if (result != kServerAlreadyRunning) {
        StartupWarning(TeacherRes::IDS_HOMEWORK_SERVER_FAILED, kHomeworkHelpItem);
        return;
    }
    m_command.block.code = kCodeHomework;
    kq::SetCommandWord(m_command, kq::kCommandFirstTextOffset, static_cast<uint16_t>(m_fileServerPort));
    SendCommand();

    CWarningDlg box(TeacherRes::IDD_MESSAGE_BOX, 269, 4, TeacherRes::IDB_WARNING_BACKGROUND, nullptr);
    box.SetMessage((std::string("学生上交的作业位于: ") + folder).c_str());
    box.DoModal();
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
    if (m_seatMap->GetSeatState(seat) == kStateHandUp)
        m_seatMap->SetSeatState(seat, kStateLoggedOn);
    // The chat dialog sends the opening and closing codes around itself.
}

void CTeacherWnd::OnGroupTalk()
{
    if (!BeginCommand())
        return;
    m_command.block.targetCount = 0;
    // The line input dialog's 34-byte result goes to 5 (kq::SetCommandBytes)
    // and the dialog's OK sends it.
}

void CTeacherWnd::OnGroupTeach()
{
    kq::ClearCommand(m_command);
    if (m_seatMap == nullptr || !m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command))) {
        kq::ShowWarning(TeacherRes::IDS_NO_SEAT_ONLINE);
        return;
    }
    // The group dialog's six records and seat list complete the block.
}

void CTeacherWnd::OnGroupSetup()
{
    // Opens the seat map's group assignment, which comes with the seat map's
    // groups.
}

void CTeacherWnd::OnSeatEdit()
{
    // Seat editing (ActivityState 10 while it runs) comes with the seat
    // editor; afterwards the whole class is told with code 19.
}

void CTeacherWnd::OnQuitStudents()
{
    if (!BeginCommand())
        return;
    if (!kq::AskYesNo(TeacherRes::IDS_QUIT_STUDENTS_QUESTION))
        return;
    m_command.block.code = kCodeQuitStudents;
    SendCommand();
    SetTargetsState(kStateOffline);
}

void CTeacherWnd::OnMessage()
{
    // The three-field dialog writes its texts with kq::SetCommandFields and
    // sends; without it the command ends after the check, as on Cancel.
    BeginCommand();
}

void CTeacherWnd::OnSeatInfo()
{
    if (!BeginCommand())
        return;
    const bool turningOn = m_seatInfoOn == 0;
    m_command.block.code = turningOn ? kCodeSeatInfoOn : kCodeSeatInfoOff;
    m_command.block.targetCount = 0;
    SendCommand();
    m_seatInfoOn = turningOn ? 1 : 0;
    if (turningOn)
        SetFaces(m_functionPanel.Toggle(316), TeacherRes::IDB_SEAT_INFO_ON_UP, TeacherRes::IDB_SEAT_INFO_ON_DOWN,
                 TeacherRes::IDB_SEAT_INFO_ON_FOCUS, 0);
    else
        SetFaces(m_functionPanel.Toggle(316), TeacherRes::IDB_SEAT_INFO_UP, TeacherRes::IDB_SEAT_INFO_DOWN,
                 TeacherRes::IDB_SEAT_INFO_FOCUS, 0);
}

void CTeacherWnd::OnClassroom()
{
    // Only while the button is enabled; the choice dialog and the classroom
    // signal come with the classroom datagrams.
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
    kq::BroadcastOptions options = {Config().CompressMethord, Config().DelaySon, Config().DelayMon,
                                    static_cast<uint8_t>(Config().Record == 0 ? 1 : 0), Config().ScreenChange};
    LecternSetOptions(&options);
    Config().CompressMethord = options.CompressMethord;
    Config().DelaySon = options.DelaySon;
    Config().DelayMon = options.DelayMon;
    Config().Record = options.Record;
    Config().ScreenChange = options.ScreenChange;
}
