#include "student/MainFrame.h"

#include "common/DriveType.h"
#include "common/KqDeskInput.h"
#include "common/LecternMessages.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "common/StudentInitBuilder.h"
#include "common/TextField.h"
#include "student/KqDeskImports.h"
#include "student/StartupCheck.h"
#include "student/StudentMessages.h"
#include "widgets/StudentLook.h"

#include <string>

namespace {

namespace ini = kq::studentini;

constexpr UINT kMessageInstallFolderMissing = 61469;
constexpr UINT kMessageDeskFailed = 61459;
constexpr UINT kMessageSeatMissing = 61463;
constexpr UINT kMessageHostNameMissing = 61515;
constexpr UINT kMessageHostConfigNotReady = 61517;

// The toolbar.
constexpr UINT kToolbarBackground = 141;
constexpr int kToolbarHeight = 33;
constexpr int kToolbarWidthEditionZero = 229;
constexpr int kToolbarWidthOther = 200;
constexpr int kToolbarRightMargin = 256;
constexpr int kButtonY = 7;
constexpr int kPictureButton = 0;
constexpr int kTextButton = 1;

struct ToolButton {
    UINT command;
    UINT face;
    UINT disabledFace;
    int xEditionZero; // -1: not in edition 0's bar
    int xOther;       // -1: only in edition 0's bar
    UINT tip;
    bool enabled;
    int textMode;
};

// In the order of adding: the indices are the frame's button indices.
constexpr ToolButton kToolButtons[] = {
    {ID_STUDENT_VERSION, 135, 0, 5, 5, 61450, true, kPictureButton},
    {ID_STUDENT_SEAT, 136, 0, 43, 43, 61453, false, kTextButton},
    {ID_STUDENT_HAND_UP, 143, 178, 78, 78, 61451, false, kPictureButton},
    {ID_STUDENT_REQUEST, 138, 0, 115, -1, 61448, true, kPictureButton},
    {ID_STUDENT_HAND_IN, 144, 179, 152, 115, 61447, false, kPictureButton},
    {ID_STUDENT_HIDE_TOOLBAR, 140, 0, 189, 152, 61449, true, kPictureButton},
};

// The tray icon.
constexpr UINT kTrayIcon = 142;
constexpr UINT kTrayTip = 61452;

} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(ID_STUDENT_HAND_UP, OnHandUp)
    ON_COMMAND(ID_STUDENT_HAND_IN, OnHandInFile)
    ON_COMMAND(ID_STUDENT_REQUEST, OnRequestButton)
    ON_COMMAND(ID_STUDENT_HIDE_TOOLBAR, OnHideToolBar)
    ON_COMMAND(ID_STUDENT_VERSION, OnVersion)
    ON_WM_ENDSESSION()
    ON_WM_HOTKEY()
    ON_MESSAGE(WM_STUDENT_TRAY, OnTrayNotify)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_LECTERN_ERROR, OnLecternError)
    ON_MESSAGE(WM_LECTERN_NOTIFY, OnTeacherCommand)
    ON_MESSAGE(kq::kWmDeskButton, OnDeskButton)
    ON_MESSAGE(WM_PEER_SIGNAL, OnDeskNotify)
    ON_MESSAGE(WM_TRANSMIT_DONE, OnTransmitDone)
    ON_MESSAGE(WM_PROGRAM_SENT, OnProgramSent)
    ON_MESSAGE(WM_STUDENT_RECONNECT, OnReconnect)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_toolBar(kq::kStudentSkinLook) {}

CMainFrame::~CMainFrame()
{
    if (m_startupThread != nullptr)
        ::CloseHandle(m_startupThread);
}

void CMainFrame::ShowError(UINT textId)
{
    kq::ShowStudentMessage(kq::MessageForm::Error, textId, CMessageBoxDlg::kCloseAfter120s);
}

int CMainFrame::HandInButtonIndex() const
{
    constexpr int kEditionZeroIndex = 4;
    constexpr int kOtherIndex = 3;
    return m_edition == 0 ? kEditionZeroIndex : kOtherIndex;
}

bool CMainFrame::IsClosing() const
{
    return m_closing || m_hWnd == nullptr || !::IsWindow(m_hWnd);
}

CString CMainFrame::SeatConfigForRead() const
{
    return m_backupConfig.IsEmpty() ? m_workingConfig : m_backupConfig;
}

CString CMainFrame::SeatConfigForWrite() const
{
    return m_backupConfig.IsEmpty() ? m_localConfig : m_backupConfig;
}

CString CMainFrame::ReadSeatNumber() const
{
    const std::string seat = kq::ReadSeatNumber(static_cast<LPCSTR>(SeatConfigForRead()), ini::kUnassignedSeat);
    return CString(seat.c_str());
}

// ---------------------------------------------------------------- creation

int CMainFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    SetWindowText(kq::kAgentTitle);

    if (ReadInstallPaths() == 0) {
        ShowError(kMessageInstallFolderMissing);
        PostMessage(WM_CLOSE);
        return 0;
    }

    // Before the per-host choice the seat and the classroom go to the backup
    // copy or the install folder's student.ini.
    const std::string early = static_cast<LPCSTR>(SeatConfigForRead());
    const std::string seat = kq::ReadSeatNumber(early, "");
    if (seat.empty()) {
        kq::CopyTextField(m_seatNumber, ini::kUnassignedSeat);
        kq::WriteIniText(early, ini::kStudentNumber, ini::kNumber, ini::kUnassignedSeat);
    } else {
        kq::CopyTextField(m_seatNumber, seat.c_str());
    }
    if (kq::ReadIniInt(early, ini::kVer, ini::kClassroomId, ini::kAbsentAtStart) == ini::kAbsentAtStart)
        kq::WriteIniText(early, ini::kVer, ini::kClassroomId, "0");

    m_configMode = LocateConfig();
    if (m_configMode == kConfigFailed) {
        ShowError(kMessageHostConfigNotReady);
        PostMessage(WM_CLOSE);
        return 0;
    }
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    m_ntOnFixedDisk = (m_configMode == kConfigFixedDisk && version.dwPlatformId == VER_PLATFORM_WIN32_NT) ? 1 : 0;

    // The check shows its own messages (without owner) and closes the frame
    // when it stops; this thread waits for it.
    m_startupThread = ::CreateThread(nullptr, 0, StartupCheckThread, this, CREATE_SUSPENDED, nullptr);
    if (m_startupThread == nullptr) {
        PostMessage(WM_CLOSE);
        return 0;
    }
    ::ResumeThread(m_startupThread);
    ::WaitForSingleObject(m_startupThread, INFINITE);
    DWORD exitCode = kStartupStop;
    ::GetExitCodeThread(m_startupThread, &exitCode);
    ::CloseHandle(m_startupThread);
    m_startupThread = nullptr;
    if (exitCode == kStartupStop)
        return 0;

    m_toolbarAllowed = 1;
    m_deskRunning = 0;
    const std::string working = static_cast<LPCSTR>(m_workingConfig);
    const bool deskShell =
        kq::ReadIniInt(working, ini::kDesktopType, ini::kType, ini::kDesktopTypeAbsent) == ini::kDesktopShell;
    if (deskShell && !StartKqDesk()) {
        PostMessage(WM_CLOSE);
        return 0;
    }

    ReadToolbarPosition();
    if (BuildToolBar(m_edition, CString(m_seatNumber)) == -1) {
        PostMessage(WM_CLOSE);
        return 0;
    }
    if (deskShell)
        m_toolBar.ShowWindow(SW_HIDE);

    const std::string current = kq::ReadSeatNumber(static_cast<LPCSTR>(SeatConfigForRead()), ini::kAbsentText);
    kq::CopyTextField(m_seatNumber, current.c_str());
    switch (kq::ClassifySeat(current)) {
    case kq::SeatState::Absent:
        MarkSeatUnassigned();
        ShowError(kMessageSeatMissing);
        PostMessage(WM_CLOSE);
        return 0;
    case kq::SeatState::Unassigned:
        PostMessage(WM_STUDENT_RECONNECT);
        break;
    case kq::SeatState::Assigned:
        if (!StartNetwork()) {
            PostMessage(WM_CLOSE);
            return 0;
        }
        break;
    }

    ShowTrayIcon(TRUE);
    RegisterHotKeys();
    return 0;
}

int CMainFrame::ReadInstallPaths()
{
    const kq::InstallFolders folders = kq::ReadInstallFolders();
    if (!folders.keyFound)
        return 0;
    m_backupConfig.Empty();
    if (!folders.backupPath.empty()) {
        const std::string backup = kq::StudentIniIn(folders.backupPath);
        m_backupConfig = backup.c_str();
        // The backup copy is hidden; make it when it is missing.
        HANDLE file = ::CreateFileA(backup.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        const DWORD attributes = ::GetFileAttributesA(backup.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) == 0)
            ::SetFileAttributesA(backup.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    }
    if (folders.path.empty())
        return 0;
    kq::CopyTextField(m_installFolder, folders.path.c_str());
    m_workingConfig = kq::StudentIniIn(folders.path).c_str();
    return 1;
}

int CMainFrame::LocateConfig()
{
    constexpr int kMaxMisses = 100;
    constexpr DWORD kMissPauseMs = 1000;
    constexpr DWORD kSettlePauseMs = 2000;

    // Notices carry the host name in either mode.
    kq::CopyTextField(m_hostName, kq::ReadHostName().c_str());
    if (kq::SystemDriveIsFixed(&kq::DriveType)) {
        m_localConfig = m_workingConfig;
        return kConfigFixedDisk;
    }
    if (m_hostName[0] == '\0') {
        ShowError(kMessageHostNameMissing);
        return kConfigFailed;
    }
    const kq::PerHostPaths paths = kq::MakePerHostPaths(m_installFolder, m_hostName);
    m_localConfig = paths.local.c_str();
    m_workingConfig = paths.working.c_str();
    m_configMode = kConfigPerHost; // the notices below already belong to per-host mode

    // Each miss asks the configuration service for the copy of the master file.
    const std::string master = kq::StudentIniIn(m_installFolder);
    for (int misses = 0; ::GetFileAttributesA(paths.working.c_str()) == INVALID_FILE_ATTRIBUTES;) {
        kq::ConfigNotice notice = kq::MakeConfigFileNotice(m_hostName, master.c_str());
        SendConfigNotice(notice);
        if (++misses == kMaxMisses)
            return kConfigFailed;
        ::Sleep(kMissPauseMs);
    }
    ::Sleep(kSettlePauseMs);
    return kConfigPerHost;
}

int CMainFrame::StartKqDesk()
{
    m_deskRunning = 1;
    kq::KQDESKINPUT input = {};
    input.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_hWnd));
    input.edition = m_edition;
    if (KqStartKqDesk(&input) != kq::kDeskStartFailed)
        return 1;
    ShowError(kMessageDeskFailed);
    m_deskRunning = 0;
    return 0;
}

void CMainFrame::ReadToolbarPosition()
{
    const std::string working = static_cast<LPCSTR>(m_workingConfig);
    const int screenRight = ::GetSystemMetrics(SM_CXSCREEN) - kToolbarRightMargin;
    m_toolbarX = kq::ReadIniInt(working, ini::kPosition, ini::kPx, ini::kPositionDefault);
    if (m_toolbarX == ini::kPositionTopRight) {
        m_toolbarX = screenRight;
        m_toolbarY = 0;
        return;
    }
    if (m_toolbarX == ini::kPositionDefault)
        m_toolbarX = screenRight;
    m_toolbarY = kq::ReadIniInt(working, ini::kPosition, ini::kPy, ini::kPositionDefault);
}

int CMainFrame::BuildToolBar(int edition, const CString& seatNumber)
{
    (void)seatNumber; // the button shows the seat as the file has it, below
    const bool editionZero = edition == 0;
    const int width = editionZero ? kToolbarWidthEditionZero : kToolbarWidthOther;
    if (!m_toolBar.Create(kToolbarBackground, m_hWnd, WS_POPUP | WS_VISIBLE, width, kToolbarHeight, m_toolbarX,
                          m_toolbarY))
        return -1;
    if (m_deskRunning)
        m_toolBar.ShowWindow(SW_HIDE);

    for (const ToolButton& row : kToolButtons) {
        const int x = editionZero ? row.xEditionZero : row.xOther;
        if (x < 0)
            continue;
        CToolBarButton* button =
            m_toolBar.AddButton(row.face, x, kButtonY, row.command, row.disabledFace, row.textMode, nullptr);
        if (button == nullptr)
            return -1;
        CString tip;
        tip.LoadString(row.tip);
        m_toolBar.AddButtonTip(button, tip);
        button->EnableWindow(row.enabled ? TRUE : FALSE);
    }
    if (CToolBarButton* seat = m_toolBar.FindButton(kButtonSeat))
        seat->SetWindowText(ReadSeatNumber());
    return 0;
}

void CMainFrame::ShowTrayIcon(BOOL add)
{
    constexpr size_t kTipChars = 63;
    if (!add && !m_trayAdded)
        return;
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = kTrayIcon;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = WM_STUDENT_TRAY;
    data.hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kTrayIcon));
    CString tip;
    tip.LoadString(kTrayTip);
    kq::CopyTextField(data.szTip, kTipChars + 1, tip);
    if (::Shell_NotifyIconA(add ? NIM_ADD : NIM_DELETE, &data))
        m_trayAdded = add != FALSE;
    else if (!add)
        m_trayAdded = false;
}

void CMainFrame::RegisterHotKeys()
{
    m_hotKeyExit = ::GlobalAddAtomA("KqStudent");
    m_hotKeyHandUp = ::GlobalAddAtomA("HandUp");
    m_hotKeyDistribute = ::GlobalAddAtomA("KqDistribute");
    ::RegisterHotKey(m_hWnd, m_hotKeyExit, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'X');
    ::RegisterHotKey(m_hWnd, m_hotKeyHandUp, MOD_CONTROL, VK_UP);
    ::RegisterHotKey(m_hWnd, m_hotKeyDistribute, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'D');
}

void CMainFrame::UnregisterHotKeys()
{
    for (ATOM* atom : {&m_hotKeyExit, &m_hotKeyHandUp, &m_hotKeyDistribute}) {
        if (*atom == 0)
            continue;
        if (m_hWnd != nullptr)
            ::UnregisterHotKey(m_hWnd, *atom);
        ::GlobalDeleteAtom(*atom);
        *atom = 0;
    }
}
