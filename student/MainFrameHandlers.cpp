// CMainFrame: what the frame answers besides the teacher's commands: the
// toolbar, hot keys, the tray, the desktop shell, the other student
// programs, the transfer library and the transport's errors.

#include "student/MainFrame.h"

#include "common/KqDeskInput.h"
#include "common/LecternMessages.h"
#include "common/ShellOpen.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "common/SystemErrorText.h"
#include "student/KqDeskImports.h"
#include "student/KqTransmitImports.h"
#include "student/LinkListDlg.h"
#include "student/StudentMessages.h"
#include "student/VersionDlg.h"

#include <string>

namespace {

namespace ini = kq::studentini;

constexpr UINT kMessageHandInNotAllowed = 61499;
constexpr UINT kMessageTransportEnded = 61481;
constexpr UINT kMessageHandedIn = 61488;
constexpr DWORD kNoticeDelayMs = 3000;
constexpr LPARAM kTrayLeftButtonDown = WM_LBUTTONDOWN;
constexpr char kSetupProgram[] = "\\Update\\SetUp.exe";

// The program-sent message's only wParam.
constexpr WPARAM kProgramSentResult = 2;

struct ResultMessage {
    LPARAM result;
    UINT textId;
};

// A failed hand-in.
constexpr ResultMessage kHandInFailures[] = {{-2, 61485}, {-4, 61489}};
// A failed directory receive (each ends the directory client).
constexpr ResultMessage kDirectoryFailures[] = {{-1, 61490}, {-2, 61485}, {-3, 61491},
                                                {-4, 61492}, {-5, 61493}, {-6, 61494}};
// The directory receive dialog's failures.
constexpr ResultMessage kProgramSentFailures[] = {{-1, 61485}, {-2, 61495}, {-3, 61496}, {-6, 61494}};

template <size_t N>
UINT MessageFor(const ResultMessage (&table)[N], LPARAM result)
{
    for (const ResultMessage& row : table) {
        if (row.result == result)
            return row.textId;
    }
    return 0;
}

void ShowTenSecondNotice(const CString& text)
{
    kq::ShowStudentMessage(kq::MessageForm::Result, text, CMessageBoxDlg::kCloseAfter10s);
}

void ShowTenSecondNotice(UINT textId)
{
    kq::ShowStudentMessage(kq::MessageForm::Result, textId, CMessageBoxDlg::kCloseAfter10s);
}

} // namespace

void CMainFrame::OnSysCommand(UINT id, LPARAM lParam)
{
    constexpr UINT kCommandMask = 0xFFF0;
    if ((id & kCommandMask) == SC_CLOSE)
        return; // only the agent's own roads close it
    CFrameWnd::OnSysCommand(id, lParam);
}

void CMainFrame::OnHandUp()
{
    SendRequest(kq::kRequestHandUp);
}

void CMainFrame::OnHandInFile()
{
    HandInFile(m_transferAddress, m_transferPort, m_transferKind);
}

void CMainFrame::OnRequestButton()
{
    SendRequest(kq::kRequestButton);
}

void CMainFrame::OnHideToolBar()
{
    ShowToolbar(false);
}

void CMainFrame::OnVersion()
{
    CVersionDlg dialog;
    dialog.SetConfigPath(m_workingConfig);
    RunWithToolbarDisabled(dialog);
}

void CMainFrame::OnEndSession(BOOL ending)
{
    CFrameWnd::OnEndSession(ending);
    Cleanup();
}

void CMainFrame::OnHotKey(UINT id, UINT, UINT)
{
    if (id == m_hotKeyExit && id != 0) {
        SaveToolbarPosition();
        PostMessage(WM_CLOSE, 1, 1);
    } else if (id == m_hotKeyHandUp && id != 0) {
        HandUpChecked();
    } else if (id == m_hotKeyDistribute && id != 0) {
        ShowLinkList(m_hotKeyLinkListsOpen); // without setting the proxy
    }
}

void CMainFrame::ShowLinkList(int& openCount)
{
    if (openCount > 0)
        return;
    CLinkListDlg dialog;
    dialog.m_mainPort = m_init.mainPort;
    dialog.m_classroomGroup = m_init.classroomGroup;
    ++openCount;
    dialog.DoModal();
    --openCount;
}

void CMainFrame::SaveToolbarPosition()
{
    if (m_toolBar.m_hWnd == nullptr)
        return;
    CRect rect;
    m_toolBar.GetWindowRect(&rect);
    CopyWorkingToLocal();
    const std::string local = static_cast<LPCSTR>(m_localConfig);
    ::WritePrivateProfileStringA(ini::kPosition, ini::kPx, std::to_string(rect.left).c_str(), local.c_str());
    ::WritePrivateProfileStringA(ini::kPosition, ini::kPy, std::to_string(rect.top).c_str(), local.c_str());
    kq::FlushIni(local);
    AnnounceLocalConfig();
}

LRESULT CMainFrame::OnTrayNotify(WPARAM, LPARAM message)
{
    if (message == kTrayLeftButtonDown && m_toolbarAllowed == 1 && !m_deskRunning && m_toolBar.m_hWnd != nullptr)
        m_toolBar.ShowWindow(SW_SHOW);
    return 0;
}

void CMainFrame::OnClose()
{
    // A close that arrives while closing (a nested handler's, a second
    // road's) finds everything done.
    if (m_closing)
        return;
    m_closing = true;
    Cleanup();
    if (m_logOffAfterClose)
        LogOff();
    // The window goes; the object stays until the application deletes it,
    // so an outer handler whose dialog this close interrupted returns safely.
    DestroyWindow();
}

LRESULT CMainFrame::OnLecternError(WPARAM kind, LPARAM code)
{
    if (kind != kq::kLecternErrorReport && kind != kq::kLecternErrorFatal)
        return 0;
    const std::string text = kq::SystemErrorText(static_cast<uint32_t>(code));
    if (!text.empty()) {
        kq::ShowStudentMessage(kq::MessageForm::Error, CString(text.c_str()), CMessageBoxDlg::kCloseAfter120s);
    } else if (kind == kq::kLecternErrorFatal) {
        ShowError(kMessageTransportEnded);
    }
    if (kind == kq::kLecternErrorFatal && !IsClosing())
        PostMessage(WM_CLOSE);
    return 0;
}

LRESULT CMainFrame::OnDeskButton(WPARAM wParam, LPARAM button)
{
    if (wParam != kq::kDeskButtonPressed)
        return 0;
    switch (button) {
    case kq::kDeskHandUp:
        HandUpChecked();
        break;
    case kq::kDeskRequest:
        SendRequest(kq::kRequestButton);
        break;
    case kq::kDeskHandIn: {
        CToolBarButton* handIn = m_toolBar.m_hWnd != nullptr ? m_toolBar.FindButton(HandInButtonIndex()) : nullptr;
        if (handIn != nullptr && handIn->IsWindowEnabled())
            OnHandInFile();
        else
            ShowError(kMessageHandInNotAllowed);
        break;
    }
    case kq::kDeskVersion:
        OnVersion();
        break;
    case kq::kDeskLogOff:
        if (m_deskRunning)
            KqCloseKqDesk();
        m_deskRunning = 0;
        m_logOffAfterClose = 1;
        PostMessage(WM_CLOSE);
        break;
    case kq::kDeskShutDown:
        PostMessage(WM_CLOSE);
        ShutdownComputer();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CMainFrame::OnDeskNotify(WPARAM signal, LPARAM)
{
    if (signal == kq::kAgentFreshDesk) {
        if (m_deskRunning)
            KqFreshDesk();
    } else if (signal == kq::kAgentConfigChanged) {
        SendLocalConfigNotice();
    } else if (signal == kq::kAgentDesktopFolders) {
        ::Sleep(kNoticeDelayMs);
        const std::string folder = std::string("C:\\") + m_hostName + "\\config";
        kq::ConfigNotice notice = kq::MakeDesktopFoldersNotice(m_hostName, folder.c_str());
        SendConfigNotice(notice);
    }
    return 0;
}

LRESULT CMainFrame::OnTransmitDone(WPARAM event, LPARAM result)
{
    if (event == kTransmitFileHandedIn) {
        QuitFileClient();
        ShowTenSecondNotice(kMessageHandedIn);
    } else if (event == kTransmitHandInFailed) {
        QuitFileClient();
        if (const UINT id = MessageFor(kHandInFailures, result))
            ShowError(id);
    } else if (event == kTransmitDirectoryFailed) {
        if (const UINT id = MessageFor(kDirectoryFailures, result)) {
            EndClientToRecvDir();
            ShowError(id);
        }
        // A failed update left the agent without its transport: log on again.
        if (m_directoryIsUpdate && !IsClosing()) {
            m_directoryIsUpdate = 0;
            RestartNetwork();
        }
    } else if (event == kTransmitDirectoryReceived) {
        if (m_deskRunning)
            KqFreshDesk();
        if (m_directoryIsUpdate) {
            kq::ShellOpen(InstallPath(kSetupProgram));
            PostMessage(WM_CLOSE);
        }
        EndClientToRecvDir();
    }
    return 0;
}

LRESULT CMainFrame::OnProgramSent(WPARAM wParam, LPARAM result)
{
    if (wParam != kProgramSentResult)
        return 0;
    if (result == 0) {
        CString text("程序已经下发到 ");
        text += m_receivedFolder;
        text += "!";
        ShowTenSecondNotice(text);
    } else if (const UINT id = MessageFor(kProgramSentFailures, result)) {
        ShowError(id);
    }
    return 0;
}
