// CMainFrame::OnTeacherCommand: the teacher's commands as the transport
// delivers them, one small member per command.

#include "student/MainFrame.h"

#include "common/DirectoryOrder.h"
#include "common/DirectoryReceiveRecord.h"
#include "common/FolderPath.h"
#include "common/LecternMessages.h"
#include "common/ShellOpen.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "common/SwitchList.h"
#include "common/TeacherMessage.h"
#include "common/TransferParams.h"
#include "common/UpdateOrder.h"
#include "student/CountdownText.h"
#include "student/DirRecvDlg.h"
#include "student/HandInDlg.h"
#include "student/KqDeskImports.h"
#include "student/KqTransmitImports.h"
#include "student/LecternImports.h"
#include "student/QuizhallImports.h"
#include "student/RollCallDlg.h"
#include "student/StudentMessages.h"
#include "student/TalkDlg.h"
#include "student/TeacherMsgDlg.h"

#include <cstring>
#include <string>

namespace {

namespace ini = kq::studentini;

constexpr UINT kMessageDeskEditorFailed = 61470;
constexpr UINT kMessageTestBusy = 61482;
constexpr UINT kMessageTestFailed = 61485;
constexpr UINT kMessageTestRefused = 61486;
constexpr UINT kMessageUpdateReceiving = 61500;
constexpr UINT kMessageUpdateNotice = 61501;
constexpr UINT kMessageJoinerFailed = 61502;
constexpr UINT kMessageTeacherNotice = 61519;

constexpr int kFinishTestFailed = -2;
constexpr uint16_t kTalkPortOffset = 11;
constexpr int kSubCodeReview = 1;
constexpr int kSubCodeDemonstration = 2;
constexpr DWORD kConfigReceiveDelayMs = 3000;
constexpr int kEndRollCallTries = 7;

constexpr char kReviewText[] = "当前被讲评的学生机是: ";
constexpr char kDemonstrationText[] = "当前做示范的学生机是: ";
constexpr char kSentenceEnd[] = "。";
constexpr char kJoinerProgram[] = "\\KqGhost.exe";
constexpr char kDeskEditorProgram[] = "\\KqDeskContral.exe";
constexpr char kConfigFolder[] = "\\config";
constexpr char kUpdateFolder[] = "\\UpDate";
constexpr char kDesktopFolder[] = "\\config\\晨星桌面\\";
constexpr char kProgramsFolder[] = "\\config\\晨星程序\\";

template <typename Record>
const Record* RecordAt(LPARAM lParam)
{
    return reinterpret_cast<const Record*>(lParam);
}

} // namespace

LRESULT CMainFrame::OnTeacherCommand(WPARAM wParam, LPARAM lParam)
{
    const WORD code = LOWORD(wParam);
    const WORD subCode = HIWORD(wParam);
    switch (code) {
    case kq::kStudentDisable: CmdDisableAndAbort(); break;
    case kq::kStudentConnection: CmdConnectionResult(lParam); break;
    case kq::kStudentToolbarRole: CmdToolbarAndRole(subCode, lParam); break;
    case kq::kStudentSwitches: CmdRestrictionSwitches(lParam); break;
    case kq::kStudentTeacherMessage: CmdTeacherMessage(lParam); break;
    case kq::kStudentTextNotice: CmdTextNotice(lParam); break;
    case kq::kStudentRollCall: CmdRollCall(); break;
    case kq::kStudentCollectFile: CmdCollectFile(lParam); break;
    case kq::kStudentLinkList: CmdLinkList(subCode, lParam); break;
    case kq::kStudentReceiveDirectory: CmdReceiveDirectory(lParam); break;
    case kq::kStudentDesktopShell: CmdDesktopShell(lParam); break;
    case kq::kStudentTalk: CmdTalk(lParam); break;
    case kq::kStudentMessage61519: ShowError(kMessageTeacherNotice); break;
    case kq::kStudentRestartNotice: CmdCountdown(true, lParam); break;
    case kq::kStudentShutdownNotice: CmdCountdown(false, lParam); break;
    case kq::kStudentStartTest: CmdStartTest(lParam); break;
    case kq::kStudentLengthenTest: S_LengthenTime(static_cast<int>(lParam)); break;
    case kq::kStudentFinishTest: CmdFinishTest(); break;
    case kq::kStudentAbortTest: S_AbortTest(); break;
    case kq::kStudentShowAnswers: S_ShowPaperAndAnswer(); break;
    case kq::kStudentHandInButton: CmdHandInButton(subCode, lParam); break;
    case kq::kStudentDesktopEditor: CmdDesktopEditor(); break;
    case kq::kStudentConfigDirectory: CmdConfigDirectory(lParam); break;
    case kq::kStudentProgramUpdate: CmdProgramUpdate(lParam); break;
    case kq::kStudentHandUpButton: m_toolBar.SetButtonState(kButtonHandUp, static_cast<int>(lParam)); break;
    case kq::kStudentHandOver: CmdHandOver(); break;
    case kq::kStudentMessage61501:
        kq::ShowStudentMessage(kq::MessageForm::Update, kMessageUpdateNotice, CMessageBoxDlg::kCloseAfter3s);
        break;
    case kq::kStudentEndRollCall: CmdEndRollCall(); break;
    case kq::kStudentChangeClassroom: CmdChangeClassroom(lParam); break;
    default: break; // not a command
    }
    return 0;
}

// ---------------------------------------------------------------- helpers

bool CMainFrame::RunWithToolbarDisabled(CDialog& dialog, INT_PTR* result)
{
    return RunWithToolbarDisabled([&] {
        const INT_PTR ended = dialog.DoModal();
        if (result != nullptr)
            *result = ended;
    });
}

bool CMainFrame::RunWithToolbarDisabled(const std::function<void()>& modal)
{
    const bool disable = m_toolBar.m_hWnd != nullptr;
    if (disable)
        m_toolBar.EnableWindow(FALSE);
    modal();
    if (IsClosing())
        return false;
    if (disable && m_toolBar.m_hWnd != nullptr)
        m_toolBar.EnableWindow(TRUE);
    return true;
}

void CMainFrame::ShowToolbar(bool show)
{
    if (m_toolBar.m_hWnd != nullptr)
        m_toolBar.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CMainFrame::KeepTransferParams(LPARAM record)
{
    const auto* params = RecordAt<kq::TransferParams>(record);
    if (params == nullptr)
        return;
    m_transferKind = params->kind;
    m_transferPort = params->port;
    m_transferAddress = params->address;
}

std::string CMainFrame::InstallPath(const char* name) const
{
    return std::string(m_installFolder) + name;
}

void CMainFrame::MakeDesktopFolders()
{
    kq::MakeFolderPath(InstallPath(kDesktopFolder));
    kq::MakeFolderPath(InstallPath(kProgramsFolder));
}

void CMainFrame::HandInFile(uint32_t address, uint16_t port, uint8_t kind)
{
    if (m_handInOpen > 0)
        return;
    ++m_handInOpen;
    CHandInDlg dialog;
    INT_PTR result = IDCANCEL;
    const bool frameAlive = RunWithToolbarDisabled(dialog, &result);
    --m_handInOpen;
    if (!frameAlive || result != IDOK)
        return;
    const CString seat = ReadSeatNumber();
    QuitFileClient();
    StartFileClient(address, port, kind, dialog.m_path, seat, m_hWnd);
}

// ---------------------------------------------------------------- commands

void CMainFrame::CmdDisableAndAbort()
{
    m_toolBar.SetButtonState(kButtonSeat, 0);
    m_toolBar.SetButtonState(HandInButtonIndex(), 0);
    S_AbortTest();
}

void CMainFrame::CmdConnectionResult(LPARAM result)
{
    if (result < 0) {
        m_toolBar.SetButtonState(kButtonSeat, 0);
        LecternClose();
        AskSeatNumber();
        if (!IsClosing())
            RestartNetwork();
    } else if (result >= 1) {
        m_toolBar.SetButtonState(kButtonSeat, 1);
        if (m_ntOnFixedDisk)
            SendRequest(kq::kRequestLoggedOn);
    }
}

void CMainFrame::CmdToolbarAndRole(WORD subCode, LPARAM allowed)
{
    if (allowed == 0) {
        m_toolbarAllowed = 0;
        ShowToolbar(false);
    } else if (allowed == 1 && !m_deskRunning) {
        ShowToolbar(true);
        m_toolbarAllowed = 1;
    }
    const char* role = subCode == kSubCodeReview          ? kReviewText
                       : subCode == kSubCodeDemonstration ? kDemonstrationText
                                                          : nullptr;
    if (role == nullptr)
        return;
    const CString text = CString(role) + m_seatNumber + kSentenceEnd;
    kq::ShowStudentMessage(kq::MessageForm::Result, text, CMessageBoxDlg::kCloseAfter10s);
}

void CMainFrame::CmdRestrictionSwitches(LPARAM record)
{
    const auto* list = RecordAt<kq::SwitchList>(record);
    if (m_ntOnFixedDisk || list == nullptr)
        return;
    // Never past the record, whatever its count says.
    const uint16_t count = list->count < kq::kMaxSwitchPairs ? list->count : kq::kMaxSwitchPairs;
    for (uint16_t i = 0; i < count; ++i)
        ApplyRegistrySwitch(list->pairs[i].number + 1, list->pairs[i].value);
}

void CMainFrame::CmdTeacherMessage(LPARAM record)
{
    const auto* message = RecordAt<kq::TeacherMessage>(record);
    if (message == nullptr)
        return;
    const kq::TeacherMessage copy = *message; // the record goes with the call
    CTeacherMsgDlg dialog;
    dialog.SetMessage(copy);
    RunWithToolbarDisabled(dialog);
}

void CMainFrame::CmdTextNotice(LPARAM text)
{
    const CString copy(text != 0 ? reinterpret_cast<const char*>(text) : "");
    RunWithToolbarDisabled(
        [&] { kq::ShowStudentMessage(kq::MessageForm::TeacherText, copy, CMessageBoxDlg::kCloseAfter10s); });
}

void CMainFrame::CmdRollCall()
{
    if (m_rollCallOpen > 0)
        return;
    ++m_rollCallOpen;
    CRollCallDlg dialog;
    INT_PTR result = IDCANCEL;
    const bool frameAlive = RunWithToolbarDisabled(dialog, &result);
    --m_rollCallOpen;
    if (frameAlive && result != IDCANCEL)
        SendRequest(kq::kRequestRollCallAnswer, dialog.m_answer);
}

void CMainFrame::CmdCollectFile(LPARAM record)
{
    KeepTransferParams(record);
    HandInFile(m_transferAddress, m_transferPort, m_transferKind);
}

void CMainFrame::CmdLinkList(WORD port, LPARAM address)
{
    if (m_linkListCommandOpen > 0)
        return;
    SetIeProxy(static_cast<uint32_t>(address), port);
    ShowLinkList(m_linkListCommandOpen);
}

void CMainFrame::CmdReceiveDirectory(LPARAM record)
{
    const auto* order = RecordAt<kq::DirectoryReceiveRecord>(record);
    if (m_receiveOpen > 0 || order == nullptr)
        return;
    ++m_receiveOpen;
    CDirRecvDlg dialog;
    dialog.m_owner = m_hWnd;
    dialog.m_kind = order->kind;
    dialog.m_workingConfig = m_workingConfig;
    dialog.m_backupConfig = m_backupConfig;
    dialog.m_receivedName = m_receivedFolder;
    dialog.DoModal();
    --m_receiveOpen;
}

void CMainFrame::CmdDesktopShell(LPARAM type)
{
    CopyWorkingToLocal();
    const std::string local = static_cast<LPCSTR>(m_localConfig);
    kq::WriteIniText(local, ini::kDesktopType, ini::kType, std::to_string(static_cast<long>(type)).c_str());
    kq::FlushIni(local);
    AnnounceLocalConfig();
    if (IsClosing())
        return;
    if (type == 0) {
        KqCloseKqDesk();
        m_deskRunning = 0;
        ShowToolbar(true);
    } else if (type == 1) {
        ShowToolbar(false);
        if (!m_deskRunning)
            StartKqDesk();
    }
}

void CMainFrame::CmdTalk(LPARAM argument)
{
    if (m_talkOpen > 0)
        return;
    ++m_talkOpen;
    CTalkDlg dialog;
    dialog.m_classroomGroup = m_init.classroomGroup;
    dialog.m_port = static_cast<uint16_t>(m_init.mainPort + kTalkPortOffset);
    dialog.m_argument = argument;
    RunWithToolbarDisabled(dialog);
    --m_talkOpen;
}

void CMainFrame::CmdCountdown(bool restart, LPARAM seconds)
{
    const long value = static_cast<long>(seconds);
    const std::string text = restart ? kq::RestartCountdownText(value) : kq::ShutdownCountdownText(value);
    kq::ShowStudentMessage(kq::MessageForm::Countdown, CString(text.c_str()), CMessageBoxDlg::kStayOpen);
}

void CMainFrame::CmdStartTest(LPARAM record)
{
    KeepTransferParams(record);
    S_AbortTest();
    S_UnInitStudent();
    S_InitStudent(m_hWnd);
    int result = S_StartTest(m_transferKind, m_init.seatNumber, m_transferAddress, m_transferPort);
    if (result == kQuizBusy) {
        S_UnInitStudent();
        S_InitStudent(m_hWnd);
        result = S_StartTest(m_transferKind, m_init.seatNumber, m_transferAddress, m_transferPort);
    }
    if (result == kQuizNotReached)
        ShowError(kMessageTestFailed);
    else if (result == kQuizRefused)
        ShowError(kMessageTestRefused);
    else if (result == kQuizBusy)
        ShowError(kMessageTestBusy);
}

void CMainFrame::CmdFinishTest()
{
    if (S_FinishTest() == kFinishTestFailed)
        ShowError(kMessageTestFailed);
}

void CMainFrame::CmdHandInButton(WORD subCode, LPARAM record)
{
    m_toolBar.SetButtonState(HandInButtonIndex(), subCode != 0 ? 1 : 0);
    KeepTransferParams(record);
}

void CMainFrame::CmdDesktopEditor()
{
    MakeDesktopFolders();
    if (!kq::ShellOpen(InstallPath(kDeskEditorProgram)))
        ShowError(kMessageDeskEditorFailed);
}

void CMainFrame::CmdConfigDirectory(LPARAM record)
{
    const auto* order = RecordAt<kq::DirectoryOrder>(record);
    if (order == nullptr)
        return;
    m_directoryIsUpdate = 0;
    m_directoryPort = order->port;
    if (order->firstSeat == order->secondSeat) {
        // This PC serves its configuration folder to the others.
        MakeDesktopFolders();
        EndServerToSendDir();
        const std::string folder = InstallPath(kConfigFolder);
        if (StartServerToSendDir(folder.c_str(), m_hWnd, m_directoryPort) < 0)
            StartServerToSendDir(folder.c_str(), m_hWnd, m_directoryPort);
        if (m_deskRunning)
            KqFreshDesk();
        return;
    }
    m_directoryAddress = order->address;
    kq::DeleteFolderTree(InstallPath(kConfigFolder));
    MakeDesktopFolders();
    ::Sleep(kConfigReceiveDelayMs);
    StartClientToRecvDir(m_installFolder, m_hWnd, m_directoryAddress, m_directoryPort);
}

void CMainFrame::CmdProgramUpdate(LPARAM record)
{
    const auto* order = RecordAt<kq::UpdateOrder>(record);
    if (order == nullptr)
        return;
    m_directoryIsUpdate = 1;
    m_directoryPort = order->port;
    m_directoryAddress = order->address;
    kq::DeleteFolderTree(InstallPath(kUpdateFolder));
    StartClientToRecvDir(m_installFolder, m_hWnd, m_directoryAddress, m_directoryPort);
    LecternClose();
    kq::ShowStudentMessage(kq::MessageForm::Update, kMessageUpdateReceiving, CMessageBoxDlg::kCloseAfter3s);
}

void CMainFrame::CmdHandOver()
{
    HWND joiner = ::FindWindowA(nullptr, kq::kJoinerTitle);
    if (joiner == nullptr) {
        if (!kq::ShellOpen(InstallPath(kJoinerProgram))) {
            ShowError(kMessageJoinerFailed);
            return;
        }
        joiner = ::FindWindowA(nullptr, kq::kJoinerTitle);
    }
    if (joiner != nullptr)
        ::PostMessageA(joiner, WM_PEER_SIGNAL, kq::kJoinerSeatNumber, 0);
    PostMessage(WM_CLOSE);
}

void CMainFrame::CmdEndRollCall()
{
    for (int i = 0; i < kEndRollCallTries; ++i) {
        const HWND calling = ::FindWindowA(nullptr, CRollCallDlg::kTitle);
        if (calling == nullptr)
            return;
        ::PostMessageA(calling, CRollCallDlg::WM_END_ROLL_CALL, 0, 0);
    }
}

void CMainFrame::CmdChangeClassroom(LPARAM classroom)
{
    const std::string text = std::to_string(static_cast<long>(classroom));
    LecternClose();
    CopyWorkingToLocal();
    const std::string target = static_cast<LPCSTR>(SeatConfigForWrite());
    kq::WriteIniText(target, ini::kVer, ini::kClassroomId, text.c_str());
    kq::FlushIni(target);
    AnnounceLocalConfig();
    if (IsClosing() || WaitForOsInfo() == -1 || IsClosing())
        return;
    RestartNetwork();
}
