// CTeacherWnd: the online test commands of the test page. The papers, the
// answer files and the running test are the online test library's; this
// side tells the students' agents what to do, shows on the seat map who is
// in the test, counts the minutes down and follows the library's notices.

#include "teacher/TeacherWnd.h"

#include "common/TestStartRecord.h"
#include "common/TextField.h"
#include "teacher/ButtonEnabling.h"
#include "teacher/ComponentImports.h"
#include "teacher/Globals.h"
#include "teacher/OnlineTestRules.h"
#include "teacher/SeatStates.h"
#include "teacher/ToggleFaces.h"
#include "teacher/dialogs/KqWaitTimeDlg.h"
#include "teacher/dialogs/KqYesNoDlg.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/TestFileDialogs.h"
#include "teacher/dialogs/TestStartDlg.h"
#include "teacher/dialogs/TestTimeDlg.h"

#include "TeacherResources.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace TeacherRes;
namespace layout = kq::message_box;

// Command codes of the test page.
constexpr WORD kCodeEndActivity = 0;
constexpr WORD kCodeBroadcast = 1;
constexpr WORD kCodeOverlayOn = 22;
constexpr WORD kCodeOverlayOff = 41;
constexpr WORD kCodeStartTest = 100;
constexpr WORD kCodeAbortTest = 101;
constexpr WORD kCodeFinishTest = 102;
constexpr WORD kCodeLengthenTest = 103;
constexpr WORD kCodeShowAnswers = 104;
constexpr size_t kTestIdOffset = kq::kCommandFirstTextOffset;
constexpr size_t kMinutesOffset = kq::kCommandFirstTextOffset;

// T_CreatePaper's failures.
constexpr int kCreatePaperFailed = -1;
constexpr int kPaperEditorMissing = -3;
constexpr int kPaperEditorFailed = -4;

// The start dialog's frame; the small dialogs use the message box's.
constexpr int kStartCloseX = 320;
constexpr int kStartCloseY = 4;
constexpr int kWaitCloseX = 0; // the wait box has no close button
constexpr int kWaitCloseY = 0;
constexpr int kWaitWithoutLimit = 0;

constexpr UINT kTestTimerPeriodMs = 60 * 1000;
// The commented paper's broadcast ends a moment after the commentary.
constexpr DWORD kCommentEndDelayMs = 1000;
// T_StatTest gets a copy of the answer path in a buffer of this size.
constexpr size_t kStatisticsPathSize = 260;

constexpr char kAbortQuestion[] = "是否要终止考试？";

} // namespace

// ---- Seats in the test ----

std::vector<uint8_t> CTeacherWnd::SeatsInTest() const
{
    std::vector<uint8_t> seats;
    if (m_seatMap == nullptr)
        return seats;
    for (int state : {kq::kSeatInTest, kq::kSeatOverlayInTest}) {
        uint16_t count = 0;
        uint8_t list[kq::kMaxTargetSeats] = {};
        if (m_seatMap->GetSeatsInState(state, &count, list))
            seats.insert(seats.end(), list, list + (count < kq::kMaxTargetSeats ? count : kq::kMaxTargetSeats));
    }
    return seats;
}

void CTeacherWnd::LeaveTest(int seat)
{
    // A seat leaves the test keeping its text overlay.
    const int state = m_seatMap->GetSeatState(seat);
    if (state == kq::kSeatInTest)
        m_seatMap->SetSeatState(seat, kq::kSeatLoggedOn);
    else if (state == kq::kSeatOverlayInTest)
        m_seatMap->SetSeatState(seat, kq::kSeatOverlay);
}

void CTeacherWnd::RecomputeTestActivity()
{
    uint16_t count = 0;
    uint8_t online[kq::kMaxTargetSeats] = {};
    bool overlay = false;
    bool inTest = false;
    if (m_seatMap != nullptr && m_seatMap->GetOnlineSeats(&count, online)) {
        for (uint16_t i = 0; i < count && i < kq::kMaxTargetSeats; ++i) {
            const int state = m_seatMap->GetSeatState(online[i]);
            overlay = overlay || state == kq::kSeatOverlayInTest || state == kq::kSeatOverlay;
            inTest = inTest || state == kq::kSeatInTest;
        }
    }
    ActivityState = overlay ? kq::kActivityTextOverlay : inTest ? kq::kActivityTest : kq::kActivityIdle;
}

void CTeacherWnd::RestartTestTimer()
{
    if (m_testTimer != 0)
        KillTimer(m_testTimer);
    m_testTimer = SetTimer(kTestTimerId, kTestTimerPeriodMs, nullptr);
}

void CTeacherWnd::StopTestTimer()
{
    if (m_testTimer != 0)
        KillTimer(m_testTimer);
    m_testTimer = 0;
}

void CTeacherWnd::PostTestTimeUp()
{
    if (!PostMessage(kTestTimeUpMessage))
        PostMessage(kTestTimeUpMessage);
}

// ---- Commands ----

void CTeacherWnd::OnCreatePaper()
{
    switch (T_CreatePaper()) {
    case kCreatePaperFailed:
        kq::ShowWarning(IDS_CREATE_PAPER_FAILED);
        break;
    case kPaperEditorMissing:
        kq::ShowWarningWithHelp(IDS_PAPER_EDITOR_MISSING);
        break;
    case kPaperEditorFailed:
        kq::ShowWarning(IDS_PAPER_EDITOR_FAILED);
        break;
    default: // the library's editor has the paper
        break;
    }
}

void CTeacherWnd::OnOpenPaper()
{
    CString paper;
    if (!kq::ChooseTestPaper(this, kq::kOpenTestFileFlags, paper))
        return;
    m_paperPath = paper.GetString();
    T_OpenAndShowPaper(m_paperPath.c_str());
}

void CTeacherWnd::OnStartTest()
{
    if (!BeginCommand())
        return;
    FillOnlineTargets(); // nothing selected: every on-line seat
    CTestStartDlg dialog(IDD_MESSAGE_BOX, kStartCloseX, kStartCloseY, IDB_TEST_START_BACKGROUND, nullptr);
    dialog.SetCommandBlock(&m_command.block);
    if (!m_paperPath.empty())
        dialog.SetInitialPaper(m_paperPath.c_str());
    // Only a start the library took is sent: a dialog that failed to open
    // started nothing.
    if (RunCommandDialog(dialog) != IDOK)
        return;
    m_testMinutesLeft = dialog.GetTestMinutes();
    m_answerPath = dialog.GetAnswerFile().GetString();
    kq::SetCommandWord(m_command, kTestIdOffset, static_cast<uint16_t>(dialog.GetTestId() & 0xFFFF));
    m_command.block.code = kCodeStartTest;
    SendCommand();
    m_answersAvailable = 0;
    ActivityState = kq::kActivityTest;
    UpdateTestButtons();
}

void CTeacherWnd::OnTextOverlay()
{
    if (!BeginCommand())
        return;
    if (m_collecting == 0) {
        CString text;
        if (!AskPresetText(IDB_BLANK_TEXT_BACKGROUND, text))
            return;
        const bool selected = m_command.block.targetCount > 0;
        if (!selected)
            FillOnlineTargets();
        const uint8_t* seats = kq::TargetSeats(m_command);
        for (uint16_t i = 0; i < m_command.block.targetCount && i < kq::kMaxTargetSeats; ++i) {
            const int state = m_seatMap->GetSeatState(seats[i]);
            if (state == kq::kSeatInTest)
                m_seatMap->SetSeatState(seats[i], kq::kSeatOverlayInTest);
            else if (selected || state == kq::kSeatLoggedOn)
                m_seatMap->SetSeatState(seats[i], kq::kSeatOverlay);
        }
        SetToggleFaces(kq::kTestOverlayToggle, true);
        m_command.block.code = kCodeOverlayOn;
        kq::SetCommandText(m_command, text);
        SendCommand();
        m_collecting = 1;
        ActivityState = kq::kActivityTextOverlay;
        UpdateTestButtons();
        return;
    }
    if (!FillOnlineTargets()) {
        kq::ShowWarning(IDS_NO_SEAT_ONLINE);
        return;
    }
    const uint8_t* seats = kq::TargetSeats(m_command);
    for (uint16_t i = 0; i < m_command.block.targetCount && i < kq::kMaxTargetSeats; ++i) {
        const int state = m_seatMap->GetSeatState(seats[i]);
        if (state == kq::kSeatOverlayInTest)
            m_seatMap->SetSeatState(seats[i], kq::kSeatInTest);
        else if (state == kq::kSeatOverlay)
            m_seatMap->SetSeatState(seats[i], kq::kSeatLoggedOn);
    }
    m_collecting = 0;
    SetToggleFaces(kq::kTestOverlayToggle, false);
    m_command.block.code = kCodeOverlayOff;
    SendCommand();
    RecomputeTestActivity();
    UpdateTestButtons();
}

void CTeacherWnd::OnTestNotice()
{
    OnNotice();
    UpdateTestButtons();
}

void CTeacherWnd::OnLengthenTest()
{
    if (!BeginCommand())
        return;
    CTestTimeDlg dialog(IDD_MESSAGE_BOX, layout::kCloseX, layout::kCloseY, IDB_TEST_TIME_BACKGROUND, nullptr);
    dialog.SetRemainingMinutes(m_testMinutesLeft);
    if (RunCommandDialog(dialog) != IDOK)
        return;
    const int change = dialog.GetMinutes();
    m_testMinutesLeft += change;
    // Shortening travels as the negative number, in two's complement.
    const auto minutes = static_cast<uint32_t>(change);
    kq::SetCommandBytes(m_command, kMinutesOffset, &minutes, sizeof minutes);
    m_command.block.code = kCodeLengthenTest;
    SendCommand();
}

void CTeacherWnd::OnAbortTest()
{
    if (!BeginCommand())
        return;
    const kq::CommandBlockWithTail selection = m_command;
    if (!kq::AskYesNo(CString(kAbortQuestion)))
        return;
    m_command = selection;

    if (m_command.block.targetCount == 0) {
        m_command.block.code = kCodeAbortTest;
        SendCommand();
        const std::vector<uint8_t> inTest = SeatsInTest();
        if (inTest.empty()) {
            // No seat took part: the test is over all the same, and its
            // countdown with it.
            ActivityState = kq::kActivityIdle;
            UpdateTestButtons();
            T_AbortTest();
            StopTestTimer();
            m_testMinutesLeft = 0;
            return;
        }
        for (uint8_t seat : inTest)
            LeaveTest(seat);
    } else {
        const uint8_t* seats = kq::TargetSeats(m_command);
        const uint16_t count = m_command.block.targetCount;
        for (uint16_t i = 0; i < count && i < kq::kMaxTargetSeats; ++i) {
            const int state = m_seatMap->GetSeatState(seats[i]);
            if (state == kq::kSeatLoggedOn || state == kq::kSeatOverlay) {
                kq::ShowWarning(IDS_ABORT_SEAT_NOT_IN_TEST);
                return;
            }
        }
        for (uint16_t i = 0; i < count && i < kq::kMaxTargetSeats; ++i)
            LeaveTest(seats[i]);
        m_command.block.code = kCodeAbortTest;
        SendCommand();
        if (!SeatsInTest().empty())
            return; // the test goes on for the others
    }
    T_AbortTest();
    m_answerPath.clear();
    ActivityState = kq::kActivityIdle;
    UpdateTestButtons();
    StopTestTimer();
    m_testMinutesLeft = 0;
}

void CTeacherWnd::OnEndTest()
{
    if (kq::AskYesNo(IDS_END_TEST_QUESTION))
        PostTestTimeUp();
}

LRESULT CTeacherWnd::OnFinishTest(WPARAM, LPARAM)
{
    kq::CloseBoxByTitle(CKqYesNoDlg::kTitle); // an open abort or end question
    kq::ClearCommand(m_command);
    const std::vector<uint8_t> inTest = SeatsInTest();
    if (inTest.empty()) {
        kq::ShowWarning(IDS_NO_SEAT_IN_TEST);
        return 0;
    }
    T_FinishTest();
    StopTestTimer();
    m_command.block.targetCount = static_cast<uint16_t>(inTest.size());
    std::copy(inTest.begin(), inTest.end(), kq::TargetSeats(m_command));
    m_command.block.code = kCodeFinishTest;
    SendCommand();
    // Until the library reports the end of the collection.
    CKqWaitTimeDlg wait(IDD_WAIT_BOX, kWaitCloseX, kWaitCloseY, IDB_WAIT_PAPERS_BACKGROUND, kWaitWithoutLimit, this);
    wait.DoModal();
    return 0;
}

void CTeacherWnd::OnCommentPaper()
{
    if (!BeginCommand())
        return;
    const kq::CommandBlockWithTail selection = m_command;
    CString paper;
    if (!kq::ChooseTestPaper(this, kq::kOpenTestFileFlags, paper))
        return;
    m_command = selection;
    m_command.block.param = 1;
    m_command.block.args[0] = Config().Record;
    m_command.block.code = kCodeBroadcast;
    SendCommand();
    const kq::CommandBlockWithTail broadcast = m_command;
    T_CommantPaper(paper.GetString());
    ::Sleep(kCommentEndDelayMs);
    m_command = broadcast;
    m_command.block.code = kCodeEndActivity;
    SendCommand();
}

void CTeacherWnd::OnShowAnswers()
{
    if (!BeginCommand())
        return;
    m_command.block.code = kCodeShowAnswers;
    SendCommand();
}

void CTeacherWnd::OnTestStatistics()
{
    std::string answers = m_answerPath;
    if (answers.empty()) {
        // Chosen for this call only.
        CString chosen;
        if (!kq::ChooseAnswerFile(this, false, kq::kOpenTestFileFlags, chosen))
            return;
        answers = chosen.GetString();
    }
    char path[kStatisticsPathSize] = {};
    kq::CopyTextField(path, answers.c_str());
    T_StatTest(path);
}

// ---- The library's notices ----

LRESULT CTeacherWnd::OnTestNotify(WPARAM wParam, LPARAM lParam)
{
    const int seat = static_cast<int>(lParam);
    const bool knownSeat = m_seatMap != nullptr && m_seatMap->FindSeatByNumber(seat) != nullptr;
    switch (static_cast<int>(wParam)) {
    case kq::kTestSeatEntered:
        if (!knownSeat)
            break;
        m_seatMap->SetSeatState(seat, kq::kSeatInTest);
        RestartTestTimer();
        ActivityState = kq::kActivityTest;
        UpdateTestButtons();
        break;
    case kq::kTestSeatLeft:
        if (knownSeat && kq::IsInTest(m_seatMap->GetSeatState(seat)))
            LeaveTest(seat);
        else if (knownSeat)
            m_seatMap->SetSeatState(seat, kq::kSeatLoggedOn);
        break;
    case kq::kTestCollected:
    case kq::kTestCollectedWithMissing:
        EndCollection(static_cast<int>(wParam) == kq::kTestCollectedWithMissing);
        break;
    case kq::kTestRestartWanted:
        OnStartTest();
        break;
    default:
        break;
    }
    return 0;
}

void CTeacherWnd::EndCollection(bool papersMissing)
{
    kq::CloseBoxByTitle(CKqWaitTimeDlg::kTitle);
    const std::vector<uint8_t> stillInTest = SeatsInTest();
    std::vector<std::string> names;
    for (uint8_t seat : stillInTest) {
        std::string name;
        if (m_seatMap->GetSeatName(seat, &name))
            names.push_back(name);
        LeaveTest(seat);
    }
    StopTestTimer();
    m_testMinutesLeft = 0;
    m_answersAvailable = 1;
    // Seats whose overlay stays keep the activity on it.
    RecomputeTestActivity();
    UpdateTestButtons();
    if (papersMissing)
        kq::ShowWarningText(kq::MissingPapersText(names).c_str());
    else
        kq::ShowWarning(IDS_PAPERS_COLLECTED);
}
