// The main window's life: creation brings the station up in order, and
// destruction takes down what the creation acquired.

#include "teacher/TeacherWnd.h"

#include "common/LecternMessages.h"
#include "common/TestStartRecord.h"
#include "common/VideoStartRecord.h"
#include "envcheck/KqCheck.h"
#include "framework/BitmapDrawing.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/ComponentImports.h"
#include "teacher/Globals.h"
#include "teacher/SplashWnd.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/VersionDlg.h"

#include "TeacherResources.h"

#include <shellapi.h>

#include <cstring>

namespace {

// Help items of the start-up warnings.
constexpr int kItemConfiguration = 8;
constexpr int kItemEnvironment = 3;
constexpr int kItemTransport = 2;
constexpr int kItemWebAccess = 29;
constexpr int kItemSockets = 1;
constexpr int kNoItem = 0;

// The warning box's frame: its template, close button and background.
constexpr int kBoxCloseX = 269;
constexpr int kBoxCloseY = 4;

constexpr int kEnvironmentCheckMode = 1;
constexpr UINT kTrayIconId = 324;
constexpr UINT kTrayMessage = 0x40E;
constexpr int kHotKeyCount = 8;
constexpr WORD kStopVideoCommand = 17;

// Screens whose width changes the window's behaviour.
constexpr int kSmallScreenWidth = 640;
constexpr int kDraggableScreenWidth = 1024;

// The four pieces of the background on every screen but the smallest.
struct BackgroundPiece {
    UINT bitmap;
    int x, y, width, height;
};
constexpr BackgroundPiece kBackground[] = {
    {TeacherRes::IDB_MAIN_FRAME_LEFT, 0, 20, 21, 540},
    {TeacherRes::IDB_MAIN_FRAME_TOP, 0, 0, 542, 20},
    {TeacherRes::IDB_MAIN_FRAME_BOTTOM, 0, 530, 542, 70},
    {TeacherRes::IDB_MAIN_RIGHT_PART, 542, 0, 258, 600},
};

} // namespace

BEGIN_MESSAGE_MAP(CTeacherWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_COMMAND(400, OnCloseButton)
    ON_COMMAND(867, OnVersion)
    // Panels, input, tray, hot keys and layout.
    ON_MESSAGE(0x40E, OnTrayNotify)
    ON_COMMAND(401, OnTrayMinimize)
    ON_WM_HOTKEY()
    ON_WM_SYSCOMMAND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    KQ_MOUSE(WM_RBUTTONDOWN, OnPopupMenu)
    ON_COMMAND_RANGE(1128, 1131, OnButtonLayout)
    ON_COMMAND_RANGE(864, 865, OnScrollSecondGroup)
    ON_COMMAND(840, OnIgnoredCommand)
    ON_COMMAND(861, OnIgnoredCommand)
    ON_COMMAND(862, OnIgnoredCommand)
    ON_COMMAND(875, OnWhiteboard)
    // Teaching commands, transport events and remote shutdown.
    ON_MESSAGE(WM_LECTERN_ERROR, OnLecternError)
    ON_MESSAGE(WM_LECTERN_NOTIFY, OnLecternNotify)
    ON_MESSAGE(WM_STUDENT_LOGON, OnStudentLogon)
    ON_MESSAGE(kq::kWmVideoNotify, OnVideoNotify)
    ON_COMMAND(501, OnBroadcast)
    ON_COMMAND(502, OnMonitor)
    ON_COMMAND(503, OnDemonstrate)
    ON_COMMAND(504, OnVideo)
    ON_COMMAND(505, OnRemoteControl)
    ON_COMMAND(506, OnMultiMonitor)
    ON_COMMAND(300, OnMedia)
    ON_COMMAND(301, OnTutor)
    ON_COMMAND(302, OnInteract)
    ON_COMMAND(303, OnNotice)
    ON_COMMAND(304, OnBlankScreen)
    ON_COMMAND(305, OnScreenLock)
    ON_COMMAND(306, OnExercise)
    ON_COMMAND(307, OnSendFiles)
    ON_COMMAND(308, OnHomework)
    ON_COMMAND(309, OnChat)
    ON_COMMAND(310, OnGroupTalk)
    ON_COMMAND(311, OnGroupTeach)
    ON_COMMAND(312, OnGroupSetup)
    ON_COMMAND(313, OnSeatEdit)
    ON_COMMAND(314, OnQuitStudents)
    ON_COMMAND(315, OnMessage)
    ON_COMMAND(316, OnRollCall)
    ON_COMMAND(317, OnClassroom)
    ON_COMMAND(318, OnRefresh)
    ON_COMMAND(511, OnRemoteShutdown)
    ON_COMMAND(512, OnRemoteRestart)
    ON_COMMAND(521, OnTeachPage)
    ON_COMMAND(522, OnTestPage)
    ON_COMMAND(790, OnHandUpSwitch)
    ON_COMMAND(837, OnToolBarStop)
    ON_COMMAND(838, OnToggleRecord)
    // Classroom datagrams.
    ON_MESSAGE(CClassroomSockets::kReadMessage, OnSocketRead)
    ON_COMMAND(513, OnRemotePowerOn)
    // Broadcast options and video channels.
    ON_COMMAND(842, OnToggleScreenChange)
    ON_MESSAGE(CKqListCtrl::kMapClickedMessage, OnButtonStateNotify)
    ON_COMMAND(852, OnVodDialog)
    ON_COMMAND(871, OnVideoDialog)
    ON_COMMAND(872, OnEndVideoView)
    ON_COMMAND(868, OnEndSeatActivity)
    ON_MESSAGE(CTeacherWnd::kVodChannelEndMessage, OnVodChannelEnded)
    ON_MESSAGE(CTeacherWnd::kSoundSwitchMessage, OnSoundSwitch)
    // Web access control and restrictions.
    ON_COMMAND(319, OnWebControl)
    ON_COMMAND(320, OnWebShare)
    ON_COMMAND(642, OnRestrictions)
    // Online test commands.
    ON_COMMAND(601, OnCreatePaper)
    ON_COMMAND(602, OnStartTest)
    ON_COMMAND(603, OnOpenPaper)
    ON_COMMAND(605, OnMonitor)
    ON_COMMAND(606, OnTextOverlay)
    ON_COMMAND(607, OnTestNotice)
    ON_COMMAND(608, OnLengthenTest)
    ON_COMMAND(609, OnAbortTest)
    ON_COMMAND(610, OnEndTest)
    ON_COMMAND(611, OnCommentPaper)
    ON_COMMAND(612, OnShowAnswers)
    ON_COMMAND(613, OnTestStatistics)
    ON_MESSAGE(kq::kWmTestNotify, OnTestNotify)
    ON_MESSAGE(CTeacherWnd::kTestTimeUpMessage, OnFinishTest)
    // Settings, button sets, popup settings, update push and tool page.
    ON_COMMAND(641, OnOptions)
    ON_COMMAND(643, OnButtonConfig)
    ON_COMMAND(1132, OnButtonConfig)
    ON_COMMAND(839, OnPopSettings)
    ON_COMMAND(402, OnHelp)
    ON_WM_KEYDOWN()
    ON_COMMAND_RANGE(550, 555, OnGroupTab)
    ON_COMMAND(556, OnWholeClassTab)
    ON_MESSAGE(CTeacherWnd::kRestartHomeworkMessage, OnRestartHomeworkServer)
    ON_MESSAGE(CKqListCtrl::kSelectionClearedMessage, OnRepaintToolPages)
END_MESSAGE_MAP()

CTeacherWnd::CTeacherWnd() = default;

CTeacherWnd::~CTeacherWnd()
{
    delete m_floatingToolBar; // owned; its window goes with it
    if (m_logoBitmap != nullptr)
        ::DeleteObject(m_logoBitmap);
}

BOOL CTeacherWnd::CreateMainWindow()
{
    LPCSTR windowClass = AfxRegisterWndClass(0);
    return CreateEx(0, windowClass, "MainWnd", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                    nullptr);
}

BOOL CTeacherWnd::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo)
{
    // Commands the window does not handle go on to the application.
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, code, extra, handlerInfo);
}

void CTeacherWnd::StartupWarning(UINT stringId, int item)
{
    if (item == kNoItem)
        kq::ShowWarning(stringId);
    else
        kq::ShowWarningWithHelp(stringId, item);
}

int CTeacherWnd::CloseDuringCreate()
{
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr)
        main->PostMessage(WM_CLOSE);
    else
        PostMessage(WM_CLOSE);
    return 0;
}

int CTeacherWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;

    m_accelerators = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(TeacherRes::IDR_MAIN_WINDOW));
    m_icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(TeacherRes::IDI_MAIN_WINDOW));
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);

    if (!ReadConfig()) {
        StartupWarning(TeacherRes::IDS_CONFIG_UNREADABLE, kItemConfiguration);
        return CloseDuringCreate();
    }
    m_configRead = true;

    ActivityState = 0;

    const std::string studentIni = m_path + "\\student.ini";
    const int check = KqTest(studentIni.c_str(), kEnvironmentCheckMode);
    if (check == kq::kCheckFailed || check == kq::kCheckNoPath) {
        StartupWarning(TeacherRes::IDS_ENVIRONMENT_CHECK_FAILED, kItemEnvironment);
        return CloseDuringCreate();
    }

    m_channelServer = PROCESS_INFORMATION{};

    if (!CreateSockets()) {
        StartupWarning(TeacherRes::IDS_SOCKETS_FAILED, kItemSockets);
        return CloseDuringCreate();
    }

    m_toolTip.CreateFor(this, m_settings.enableTip, CKqToolTip::kMainWindowTipWidth);

    if (!CreateChildWindows()) {
        StartupWarning(TeacherRes::IDS_CHILD_WINDOWS_FAILED, kNoItem);
        return CloseDuringCreate();
    }

    if (!RegisterHotKeys())
        StartupWarning(TeacherRes::IDS_HOTKEYS_FAILED, kNoItem);

    CSplashWnd::ShowSplash(this);

    if (!m_webAccess.Create(m_path))
        StartupWarning(TeacherRes::IDS_WEB_CONTROL_UNAVAILABLE, kItemWebAccess);

    T_InitTeacher(m_hWnd);
    m_testLibraryOpen = true;

    std::memset(&m_command, 0, sizeof m_command);

    m_trayIconAdded = AddTrayIcon();

    if (!LecternOpen(&m_settings.config)) {
        StartupWarning(TeacherRes::IDS_TRANSPORT_OPEN_FAILED, kItemTransport);
        return CloseDuringCreate();
    }
    m_transportOpen = true;
    RecalcLayout();
    PostMessage(kRestartHomeworkMessage);
    m_started = true;
    return 0;
}

bool CTeacherWnd::AddTrayIcon()
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = m_hWnd;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(TeacherRes::IDI_TRAY));
    CString tip;
    tip.LoadString(TeacherRes::IDS_TRAY_TIP);
    ::lstrcpynA(icon.szTip, tip, sizeof icon.szTip);
    return ::Shell_NotifyIconA(NIM_ADD, &icon) != FALSE;
}

void CTeacherWnd::OnDestroy()
{
    CWnd::OnDestroy();

    StopLinkListSender();
    CloseSockets();
    EndChannelServer();
    if (m_transportOpen) {
        LecternClose();
        m_transportOpen = false;
    }
    if (m_testLibraryOpen) {
        T_UnInitTeacher();
        m_testLibraryOpen = false;
    }
    EndServerToSendDir();
    QuitFileServer();
    m_buttons.RemoveAll();
    if (m_seatMap != nullptr) {
        m_seatMap->FreeSeats();
        if (m_seatMap->GetSafeHwnd() != nullptr)
            m_seatMap->DestroyWindow();
        delete m_seatMap;
        m_seatMap = nullptr;
    }
    // Settings are written back only by a station that came up: a failed
    // start leaves Teacher.ini (or its absence) as it found it.
    if (m_configRead && m_started)
        SaveSettings();
    if (m_trayIconAdded) {
        NOTIFYICONDATAA icon = {};
        icon.cbSize = sizeof icon;
        icon.hWnd = m_hWnd;
        icon.uID = kTrayIconId;
        ::Shell_NotifyIconA(NIM_DELETE, &icon);
        m_trayIconAdded = false;
    }
    if (m_accelerators != nullptr) {
        ::DestroyAcceleratorTable(m_accelerators);
        m_accelerators = nullptr;
    }
    for (int id = 0; id < kHotKeyCount; ++id)
        ::UnregisterHotKey(m_hWnd, id);
    m_webAccess.Release();
    ::PostQuitMessage(0);
}

void CTeacherWnd::OnClose()
{
    CWnd::OnClose();
}

void CTeacherWnd::OnCloseButton()
{
    const UINT question = ActivityState == 5 ? TeacherRes::IDS_CLOSE_DURING_TEST : TeacherRes::IDS_CLOSE_QUESTION;
    if (!kq::AskYesNo(question))
        return;
    if (m_videoBroadcastRunning) {
        KqVideoSControl(kVideoStop, nullptr);
        m_command.block.code = kStopVideoCommand;
        m_command.block.targetCount = 0;
        LecternSendCommand(&m_command);
    }
    StopVodChannels();
    if (!PostMessage(WM_CLOSE))
        PostMessage(WM_CLOSE);
}

void CTeacherWnd::OnVersion()
{
    CVersionDlg version(TeacherRes::IDD_MESSAGE_BOX, kBoxCloseX, kBoxCloseY, TeacherRes::IDB_VERSION_BACKGROUND,
                        nullptr);
    version.DoModal();
}

BOOL CTeacherWnd::OnEraseBkgnd(CDC* dc)
{
    if (::GetSystemMetrics(SM_CXSCREEN) == kSmallScreenWidth) {
        kq::DrawBitmapResource(*dc, TeacherRes::IDB_MAIN_BACKGROUND_640, kWidth, kHeight);
        return TRUE;
    }
    for (const BackgroundPiece& piece : kBackground)
        kq::DrawBitmapResource(*dc, piece.bitmap, piece.width, piece.height, piece.x, piece.y);
    return TRUE;
}

LRESULT CTeacherWnd::OnNcHitTest(CPoint point)
{
    if (::GetSystemMetrics(SM_CXSCREEN) == kDraggableScreenWidth) {
        SetFocus();
        return HTCAPTION;
    }
    return CWnd::OnNcHitTest(point);
}

void CTeacherWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED) {
        ShowWindow(SW_HIDE); // it lives on as the tray icon
        return;
    }
    CRect window;
    GetWindowRect(&window);
    if (window.Width() != kWidth || window.Height() != kHeight)
        SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOnScreen();
}

void CTeacherWnd::CentreOnScreen()
{
    CRect window;
    GetWindowRect(&window);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - window.Height()) / 2;
    if (window.left != x || window.top != y)
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
