#include "deskedit/DeskSetupDlg.h"

#include "common/DriveType.h"
#include "common/PeerNames.h"
#include "common/ShellOpen.h"
#include "common/StudentIni.h"
#include "deskedit/ConfigFolder.h"
#include "deskedit/DeskLook.h"
#include "deskedit/DeskMessageDlg.h"
#include "deskedit/ShortcutRules.h"

namespace {

constexpr UINT kBackground = 143;
constexpr POINT kClosePosition = {402, 4};
constexpr UINT kCaptionText = 61204;
constexpr UINT kProgramsItemText = 61205;
constexpr UINT kDesktopItemText = 61206;
constexpr unsigned kMessageRegistryFailed = 61207;

constexpr POINT kDesktopButtonAt = {14, 32};
constexpr POINT kProgramsButtonAt = {61, 32};
constexpr POINT kStartMenuButtonAt = {108, 32};
constexpr POINT kOkAt = {162, 329};
constexpr POINT kCancelAt = {240, 329};
// The buttons' faces, released and pressed.
constexpr UINT kDesktopUp = 135, kDesktopDown = 134;
constexpr UINT kProgramsUp = 138, kProgramsDown = 139;
constexpr UINT kStartMenuUp = 136, kStartMenuDown = 137;
constexpr UINT kOkUp = 132, kOkDown = 133;
constexpr UINT kCancelUp = 130, kCancelDown = 131;
constexpr RECT kTreeRect = {14, 76, 106, 318};
constexpr RECT kListRect = {110, 76, 417, 317};

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kShellFolderValues[] = {"Desktop", "Programs", "Start Menu"};
constexpr DWORD kShellFolderValueSize = 260;
// Windows 4.0 keeps the shared shortcuts under "All Users": the first 18
// characters of the user's folder, then that, then the folder's own tail.
constexpr size_t kProfileRootLength = 18;
constexpr char kAllUsers[] = "All Users\\";
constexpr size_t kSharedTailLength[] = {4, 17, 12};
constexpr DWORD kOldShellMajor = 4;
constexpr DWORD kOldShellMinor = 0;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

bool IsOldShell()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwMajorVersion == kOldShellMajor &&
           version.dwMinorVersion == kOldShellMinor;
}

void ShowMessage(unsigned id)
{
    CDeskMessageDlg box(id);
    box.DoModal();
}

} // namespace

BEGIN_MESSAGE_MAP(CDeskSetupDlg, CSkinDialog)
    ON_BN_CLICKED(CDeskSetupDlg::kOkId, OnOK)
    ON_BN_CLICKED(CDeskSetupDlg::kCancelId, OnCancel)
    ON_BN_CLICKED(CDeskSetupDlg::kDesktopButtonId, OnDesktopButton)
    ON_BN_CLICKED(CDeskSetupDlg::kProgramsButtonId, OnProgramsButton)
    ON_BN_CLICKED(CDeskSetupDlg::kStartMenuButtonId, OnStartMenuButton)
    ON_NOTIFY(TVN_SELCHANGEDA, CDeskSetupDlg::kTreeId, OnTreeSelChanged)
    ON_NOTIFY(NM_CLICK, CDeskSetupDlg::kTreeId, OnTreeClick)
END_MESSAGE_MAP()

CDeskSetupDlg::CDeskSetupDlg()
    : CSkinDialog(kTemplate, kq::kDeskCornerWidth, kq::kDeskCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kDeskSkinLook)
{
}

void CDeskSetupDlg::CreateButton(CSkinButton& button, POINT at, UINT id, UINT up, UINT down)
{
    button.Create(at.x, at.y, id, this, WS_VISIBLE);
    button.LoadBitmaps(up, down, nullptr, 0);
}

BOOL CDeskSetupDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    CreateButton(m_desktopButton, kDesktopButtonAt, kDesktopButtonId, kDesktopUp, kDesktopDown);
    CreateButton(m_programsButton, kProgramsButtonAt, kProgramsButtonId, kProgramsUp, kProgramsDown);
    CreateButton(m_startMenuButton, kStartMenuButtonAt, kStartMenuButtonId, kStartMenuUp, kStartMenuDown);
    CreateButton(m_okButton, kOkAt, kOkId, kOkUp, kOkDown);
    CreateButton(m_cancelButton, kCancelAt, kCancelId, kCancelUp, kCancelDown);

    m_tree.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_SHOWSELALWAYS, kTreeRect, this, kTreeId);
    m_tree.InsertItem(Text(kProgramsItemText));
    m_tree.InsertItem(Text(kDesktopItemText));

    // The list prepares the configuration folder and fills itself as it is made.
    m_list.Create(WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS, kListRect, this,
                  kListId);
    m_list.DragAcceptFiles(m_list.Prepared());

    m_oldShell = IsOldShell();
    SetWindowText(Text(kCaptionText));
    return TRUE;
}

void CDeskSetupDlg::OnOK()
{
    if (!m_list.Prepared()) {
        EndDialog(IDOK); // nothing was changed, nothing to announce
        return;
    }
    m_list.Commit(TRUE);
    if (GetConfigMode() == kq::kConfigPerHost) {
        HWND agent = ::FindWindowA(nullptr, kq::kAgentTitle);
        if (agent != nullptr && ::IsWindow(agent))
            ::PostMessageA(agent, WM_PEER_SIGNAL, kq::kAgentDesktopFolders, 0);
    }
    EndDialog(IDOK);
}

void CDeskSetupDlg::OnCancel()
{
    if (m_list.Prepared())
        m_list.Commit(FALSE);
    EndDialog(IDCANCEL);
}

int CDeskSetupDlg::GetConfigMode()
{
    const kq::InstallFolders install = kq::ReadInstallFolders();
    if (!install.keyFound || install.path.empty()) {
        ShowMessage(kMessageRegistryFailed);
        if (CWnd* frame = AfxGetMainWnd())
            frame->PostMessage(WM_CLOSE, 0, 0);
        return kq::kConfigFailed;
    }
    if (kq::SystemDriveIsFixed(kq::DriveType))
        return kq::kConfigInstalled;
    if (kq::ReadHostName().empty()) {
        ShowMessage(kq::kMessageCreatePathFailed);
        return kq::kConfigFailed;
    }
    return kq::kConfigPerHost;
}

void CDeskSetupDlg::OnTreeSelChanged(NMHDR*, LRESULT* result)
{
    const HTREEITEM first = m_tree.GetFirstVisibleItem();
    const HTREEITEM second = first != nullptr ? m_tree.GetNextVisibleItem(first) : nullptr;
    const HTREEITEM selected = m_tree.GetSelectedItem();
    m_list.ShowList(selected != nullptr && selected == second ? kq::kDesktopList : kq::kProgramsList);
    *result = 0;
}

void CDeskSetupDlg::OnTreeClick(NMHDR*, LRESULT* result)
{
    *result = 0;
}

void CDeskSetupDlg::OnDesktopButton()
{
    OpenShellFolder(kDesktop);
}

void CDeskSetupDlg::OnProgramsButton()
{
    OpenShellFolder(kPrograms);
}

void CDeskSetupDlg::OnStartMenuButton()
{
    OpenShellFolder(kStartMenu);
}

std::string CDeskSetupDlg::ShellFolderPath(const std::string& value, int folder, bool oldShell)
{
    const size_t tail = kSharedTailLength[folder];
    // A value too short to hold both parts is opened as read.
    if (!oldShell || value.size() < kProfileRootLength + tail)
        return value;
    return value.substr(0, kProfileRootLength) + kAllUsers + value.substr(value.size() - tail);
}

void CDeskSetupDlg::OpenShellFolder(int folder)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    char value[kShellFolderValueSize + 1] = {};
    DWORD size = kShellFolderValueSize;
    DWORD type = 0;
    const LONG read =
        ::RegQueryValueExA(key, kShellFolderValues[folder], nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return; // nothing to open
    value[kShellFolderValueSize] = '\0';
    kq::ShellOpen(ShellFolderPath(value, folder, m_oldShell));
}
