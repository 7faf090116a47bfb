#include "joiner/MainFrame.h"

#include "common/AdapterAddress.h"
#include "common/DriveType.h"
#include "common/ShellOpen.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "joiner/ClassroomSetupDlg.h"
#include "joiner/JoinerIds.h"
#include "joiner/NoticeDlg.h"
#include "joiner/StudentNumberDlg.h"
#include "widgets/AdapterSelectDlg.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_HOTKEY()
    ON_MESSAGE(WM_SIGNAL_READ, OnSignal)
    ON_MESSAGE(WM_PEER_SIGNAL, OnStudentNotify)
END_MESSAGE_MAP()

namespace {

namespace ini = kq::studentini;

// The agent's start after a fresh start of the PC waits for the network.
constexpr DWORD kStartDelayMs = 5000;
constexpr DWORD kAfterStopMs = 1000;
constexpr DWORD kSocketRetryMs = 1000;
constexpr int kSocketAttempts = 2;
constexpr DWORD kNoticeDelayMs = 3000;
constexpr DWORD kSeatNoticeDelayMs = 1000;
// A post to the agent's windows is tried this often, this far apart.
constexpr int kPostAttempts = 6;
constexpr DWORD kPostRetryMs = 20;
// How long the joiner waits for a stopped agent to end; a new agent that
// still finds its mutex held ends by itself.
constexpr DWORD kAgentEndTimeoutMs = 30000;

constexpr char kLauncher[] = "\\Smss.exe";
constexpr char kEndHotKeyName[] = "KqGhost";
constexpr char kSetupHotKeyName[] = "ModifyStNumber";
constexpr UINT kHotKeyModifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
constexpr UINT kEndKey = 'G';
constexpr UINT kSetupKey = 'O';
// WM_CLOSE of the end hot key carries these.
constexpr WPARAM kEndHotKeyClose = 1;

// One dialog of each kind at a time, process-wide.
int g_setupDialogsOpen = 0;
int g_seatDialogsOpen = 0;

ATOM HotKeyAtom(const char* name)
{
    return static_cast<ATOM>(::GlobalAddAtomA(name) & 0xFFFF);
}

// Posts `message` to the top-level window titled `title`, retrying a failed
// post a few times.
void PostToWindow(const char* title, UINT message)
{
    const HWND window = ::FindWindowA(nullptr, title);
    if (window == nullptr || !::IsWindow(window))
        return;
    for (int attempt = 0; attempt < kPostAttempts; ++attempt) {
        if (attempt > 0)
            ::Sleep(kPostRetryMs);
        if (::PostMessageA(window, message, 0, 0))
            return;
    }
}

} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    CloseSignalSocket();
}

int CMainFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CFrameWnd::OnCreate(createStruct) == -1)
        return -1;
    if (!StartUp())
        PostMessage(WM_CLOSE);
    return 0;
}

bool CMainFrame::StartUp()
{
    ::Sleep(kStartDelayMs);
    if (!SettleAdapter())
        return false;
    if (!ReadInstallation())
        return false;

    m_workingCopy = kq::StudentIniIn(m_installFolder);
    m_configMode = ResolveIniPaths();
    if (m_configMode == kConfigFailed)
        return false;
    m_lastVersion = kq::ReadIniInt(m_workingCopy, ini::kVer, ini::kVersionId, ini::kAbsentAtStart);

    bool opened = false;
    for (int attempt = 0; attempt < kSocketAttempts && !opened; ++attempt) {
        if (attempt > 0)
            ::Sleep(kSocketRetryMs);
        opened = OpenSignalSocket() != 0;
    }
    if (!opened) {
        kq::ShowNotice(kq::kNoticeSocketFailed);
        return false;
    }

    RegisterHotKeys();
    if (!StartStudent())
        StartStudent(); // a second failure is not reported
    return true;
}

bool CMainFrame::SettleAdapter()
{
    CAdapterSelectDlg adapters(kq::kJoinerAdapterIds);
    const int result = adapters.CheckAdapters();
    if (result <= 0) {
        kq::ShowNotice(kq::kNoticeNoAdapter);
        return false;
    }
    if (result > 1)
        adapters.DoModal(); // whatever the user did, the start goes on
    return true;
}

bool CMainFrame::ReadInstallation()
{
    const kq::InstallFolders folders = kq::ReadInstallFolders();
    m_backupCopy.clear();
    if (!folders.backupPath.empty())
        m_backupCopy = kq::StudentIniIn(folders.backupPath);
    m_installFolder = folders.path;
    if (!folders.keyFound || m_installFolder.empty()) {
        kq::ShowNotice(kq::kNoticeRegistryFailed);
        return false;
    }
    return true;
}

int CMainFrame::ResolveIniPaths()
{
    if (kq::SystemDriveIsFixed(&kq::DriveType)) {
        m_localCopy = m_workingCopy;
        return kConfigFixedDisk;
    }
    m_hostName = kq::ReadHostName();
    if (m_hostName.empty()) {
        kq::ShowNotice(kq::kNoticeHostNameFailed);
        return kConfigFailed;
    }
    const kq::PerHostPaths paths = kq::MakePerHostPaths(m_installFolder, m_hostName);
    m_localCopy = paths.local;
    m_workingCopy = paths.working;
    return kConfigPerHost;
}

bool CMainFrame::CopyWorkingToLocal() const
{
    return ::CopyFileA(m_workingCopy.c_str(), m_localCopy.c_str(), FALSE) != FALSE;
}

void CMainFrame::RegisterHotKeys()
{
    // A key another program holds stays unregistered here.
    ::RegisterHotKey(m_hWnd, HotKeyAtom(kEndHotKeyName), kHotKeyModifiers, kEndKey);
    ::RegisterHotKey(m_hWnd, HotKeyAtom(kSetupHotKeyName), kHotKeyModifiers, kSetupKey);
}

int CMainFrame::StartStudent()
{
    return kq::ShellOpen(m_installFolder + kLauncher) ? 1 : 0;
}

void CMainFrame::QuitStudent()
{
    HANDLE agent = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kq::kAgentMutex);
    if (agent == nullptr)
        return; // no agent runs
    PostToWindow(kq::kCheckTitle, WM_CHECK_CLOSE);
    PostToWindow(kq::kAgentTitle, WM_CLOSE);
    const DWORD waited = ::WaitForSingleObject(agent, kAgentEndTimeoutMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        ::ReleaseMutex(agent); // never kept: the next agent must be able to take it
    ::CloseHandle(agent);
    ::Sleep(kAfterStopMs);
}

void CMainFrame::RestartStudent()
{
    QuitStudent();
    ::Sleep(kAfterStopMs);
    if (StartStudent())
        return;
    QuitStudent();
    ::Sleep(kAfterStopMs);
    if (!StartStudent())
        kq::ShowNotice(kq::kNoticeAgentStartFailed);
}

void CMainFrame::OnHotKey(UINT hotKeyId, UINT, UINT)
{
    if (hotKeyId == HotKeyAtom(kEndHotKeyName)) {
        AfxGetMainWnd()->PostMessage(WM_CLOSE, kEndHotKeyClose, kEndHotKeyClose);
        return;
    }
    if (hotKeyId == HotKeyAtom(kSetupHotKeyName))
        SetUpClassroom();
}

void CMainFrame::SetUpClassroom()
{
    if (g_setupDialogsOpen != 0)
        return;
    ++g_setupDialogsOpen;
    CClassroomSetupDlg dialog;
    if (PerHost() && !CopyWorkingToLocal() && m_backupCopy.empty()) {
        kq::ShowNotice(kq::kNoticeCopyFailed);
        --g_setupDialogsOpen;
        return;
    }
    dialog.SetPaths(m_localCopy, m_workingCopy, m_backupCopy);
    if (dialog.DoModal() == IDOK) {
        if (PerHost()) {
            ::Sleep(kNoticeDelayMs);
            SendConfigNotice();
        }
        RestartStudent();
    }
    --g_setupDialogsOpen;
}

LRESULT CMainFrame::OnStudentNotify(WPARAM code, LPARAM argument)
{
    if (code == kq::kJoinerRestartAgent && argument == 0) {
        QuitStudent();
        ::Sleep(kAfterStopMs);
        if (!StartStudent())
            kq::ShowNotice(kq::kNoticeAgentStartFailed);
    } else if (code == kq::kJoinerSeatNumber) {
        AskSeatNumber();
    }
    return 0;
}

void CMainFrame::AskSeatNumber()
{
    if (g_seatDialogsOpen != 0)
        return;
    ++g_seatDialogsOpen;
    QuitStudent();
    CStudentNumberDlg dialog;
    if (PerHost() && !CopyWorkingToLocal())
        kq::ShowNotice(kq::kNoticeCopyFailed);
    dialog.SetPaths(m_localCopy, m_workingCopy, m_backupCopy);
    if (dialog.DoModal() == IDOK && PerHost()) {
        ::Sleep(kSeatNoticeDelayMs);
        SendConfigNotice();
        ::Sleep(kNoticeDelayMs);
    }
    if (!StartStudent())
        kq::ShowNotice(kq::kNoticeAgentStartFailed);
    --g_seatDialogsOpen;
}

void CMainFrame::OnClose()
{
    CloseSignalSocket();
    ::UnregisterHotKey(m_hWnd, HotKeyAtom(kSetupHotKeyName));
    ::UnregisterHotKey(m_hWnd, HotKeyAtom(kEndHotKeyName));
    CFrameWnd::OnClose();
}
