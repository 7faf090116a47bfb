#include "teacher/dialogs/VideoBroadcastDlg.h"

#include "common/AdapterAddress.h"
#include "common/ChannelAnnounce.h"
#include "common/ChannelQuery.h"
#include "common/ChannelWithdraw.h"
#include "common/ProgramFolder.h"
#include "common/TextField.h"
#include "common/VideoChannelCommand.h"
#include "common/VodCommandDatagram.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/VodCommandSender.h"
#include "teacher/dialogs/KqWaitTimeDlg.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/VideoChannelRules.h"
#include "teacher/dialogs/VideoFileDlg.h"

#include "TeacherResources.h"

#include <iterator>
#include <vector>

BEGIN_MESSAGE_MAP(CVideoBroadcastDlg, CSkinDialog)
    ON_WM_CLOSE()
    ON_NOTIFY(NM_DBLCLK, CVideoBroadcastDlg::kListId, OnListDblClk)
    ON_BN_CLICKED(CVideoBroadcastDlg::kPlayId, OnPlay)
    ON_BN_CLICKED(CVideoBroadcastDlg::kAddId, OnAddChannel)
    ON_BN_CLICKED(CVideoBroadcastDlg::kRemoveId, OnRemoveChannel)
    ON_BN_CLICKED(CVideoBroadcastDlg::kRefreshId, OnRefresh)
    ON_BN_CLICKED(CVideoBroadcastDlg::kStopId, OnStop)
    ON_BN_CLICKED(CVideoBroadcastDlg::kCloseId, OnClose)
    ON_BN_CLICKED(CVideoBroadcastDlg::kShowId, OnShowToSeats)
    ON_MESSAGE(CVideoBroadcastDlg::kSocketMessage, OnSocketRead)
END_MESSAGE_MAP()

namespace {

using namespace TeacherRes;

// The server listens for channel commands one port above its announcements.
constexpr uint16_t kAnnouncePortBase = kq::kVodCommandPortBase;
constexpr uint16_t kCommandPortBase = kAnnouncePortBase + 1;
constexpr int kTimeToLive = 1;
constexpr int kMaxDatagram = 1024;

// The channel command to the seats: code 16, the name behind the flag at 5.
constexpr WORD kChannelCommandCode = 16;

// Playing more channels than this at once is refused.
constexpr int kMostActiveChannels = 8;
// Adding past this many only warns.
constexpr size_t kMostListedChannels = 20;
constexpr int kWaitSeconds = 10;
constexpr DWORD kServerReadyWaitMs = 5000;

// The list: columns and where it sits.
const CRect kListRect(15, 36, 235, 223);
// No border: the four columns fill the list's width exactly.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
enum Column { kNameColumn, kAddressColumn, kStateColumn, kNumberColumn };
struct ColumnSpec {
    const char* heading;
    int width;
};
constexpr ColumnSpec kColumns[] = {{"频道名称", 60}, {"服务器地址", 80}, {"状态", 40}, {"频道", 40}};

struct ButtonSpec {
    UINT id;
    CRect rect;
    UINT up;
    UINT down;
    bool inManageMode;
    bool inShowMode;
};
const ButtonSpec kButtons[] = {
    {CVideoBroadcastDlg::kPlayId, CRect(278, 38, 321, 58), IDB_VIDEO_PLAY_UP, IDB_VIDEO_PLAY_DOWN, true, false},
    {CVideoBroadcastDlg::kStopId, CRect(278, 63, 321, 83), IDB_VIDEO_STOP_UP, IDB_VIDEO_STOP_DOWN, true, false},
    {CVideoBroadcastDlg::kAddId, CRect(278, 88, 321, 108), IDB_ADD_UP, IDB_ADD_HOVER, true, false},
    {CVideoBroadcastDlg::kRemoveId, CRect(278, 113, 321, 133), IDB_DELETE_UP, IDB_DELETE_HOVER, true, false},
    {CVideoBroadcastDlg::kRefreshId, CRect(278, 138, 321, 158), IDB_VIDEO_REFRESH_UP, IDB_VIDEO_REFRESH_DOWN, true,
     false},
    {CVideoBroadcastDlg::kCloseId, CRect(278, 200, 321, 220), IDB_VIDEO_CLOSE_UP, IDB_VIDEO_CLOSE_DOWN, true, true},
    {CVideoBroadcastDlg::kShowId, CRect(278, 38, 321, 58), IDB_VIDEO_SHOW_UP, IDB_VIDEO_SHOW_DOWN, false, true},
};

// The message box frame of the wait box.
constexpr int kWaitCloseX = 0;
constexpr int kWaitCloseY = 0;
// The video file dialog's frame.
constexpr int kFileDialogCloseX = 269;
constexpr int kFileDialogCloseY = 4;

} // namespace

// The parent is not used: the dialog belongs to the main window like every
// teacher dialog.
CVideoBroadcastDlg::CVideoBroadcastDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd*)
    : CSkinDialog(templateId, closeX, closeY, backgroundId, nullptr)
{
    m_serverStartup.cb = sizeof m_serverStartup;
    m_serverStartup.dwFlags = STARTF_FORCEOFFFEEDBACK;
}

CVideoBroadcastDlg::~CVideoBroadcastDlg()
{
    CloseSockets();
}

BOOL CVideoBroadcastDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (m_command != nullptr)
        m_prepared = *m_command;
    CreateButtons();
    CreateList();
    if (!OpenSockets())
        return FALSE; // open all the same: an empty list, and nothing heard
    OnRefresh();
    return TRUE;
}

void CVideoBroadcastDlg::CreateButtons()
{
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonSpec& spec = kButtons[i];
        const bool shown = m_mode == kShowMode ? spec.inShowMode : spec.inManageMode;
        const DWORD style = kq::message_box::kButtonStyle & ~(shown ? 0 : WS_VISIBLE);
        if (m_buttons[i].Create(nullptr, style, spec.rect, this, spec.id))
            m_buttons[i].LoadBitmaps(spec.up, spec.down);
    }
}

void CVideoBroadcastDlg::CreateList()
{
    if (!m_list.Create(kListStyle, kListRect, this, kListId))
        return;
    m_list.SetFont(GetFont());
    m_list.SetExtendedStyle(kListExStyle);
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
        m_list.InsertColumn(column, kColumns[column].heading, LVCFMT_LEFT, kColumns[column].width);
}

bool CVideoBroadcastDlg::OpenSockets()
{
    const uint16_t commandPort = htons(static_cast<uint16_t>(kCommandPortBase + m_classroom));
    const uint16_t announcePort = htons(static_cast<uint16_t>(kAnnouncePortBase + m_classroom));
    if (!m_commandSocket.Create(m_group, commandPort, nullptr, kTimeToLive)) {
        m_commandSocket.Close();
        return false;
    }
    // Joined on the classroom's adapter, which also sends the queries.
    const std::string adapter = kq::ReadAdapterAddress();
    const char* joinOn = kq::IsAnyAdapter(adapter) ? nullptr : adapter.c_str();
    if (!m_announceSocket.Create(m_group, announcePort, nullptr, kTimeToLive) ||
        !m_announceSocket.JoinGroup(joinOn, TRUE) ||
        !m_announceSocket.AsyncSelect(m_hWnd, kSocketMessage, FD_READ)) {
        m_announceSocket.Close();
        return false;
    }
    return true;
}

void CVideoBroadcastDlg::CloseSockets()
{
    m_commandSocket.Close();
    m_announceSocket.Close();
}

// ---- Announcements ----

LRESULT CVideoBroadcastDlg::OnSocketRead(WPARAM, LPARAM)
{
    uint8_t data[kMaxDatagram];
    DWORD length = 0;
    if (m_announceSocket.Socket() == INVALID_SOCKET || !m_announceSocket.RecvFrom(data, sizeof data, &length))
        return 0;
    const sockaddr_in from = m_announceSocket.FromAddress();
    if (length > 0 && data[0] == kq::kChannelAnnounceKind)
        ReadAnnouncement(data, length, from);
    else if (length > 0 && data[0] == kq::kChannelWithdrawKind)
        ReadWithdrawal(data, length);
    // Anything else (our own queries coming back among them) is not for us.
    return 0;
}

void CVideoBroadcastDlg::ReadAnnouncement(const uint8_t* data, size_t length, const sockaddr_in& from)
{
    kq::ChannelAnnounceFields fields;
    if (!kq::ParseChannelAnnounce(data, length, fields) || fields.name.empty())
        return; // no name: nothing a row could be found or commanded by
    const uint32_t address = from.sin_addr.s_addr;
    const int row = FindRow(fields.name);
    if (row >= 0) {
        m_list.SetItemText(row, kStateColumn, kq::ChannelStateText(fields.state));
        kq::UpdateChannel(Channels(), fields.value, fields.state, address, fields.name);
        return;
    }
    const int added = m_list.InsertItem(m_list.GetItemCount(), fields.name.c_str());
    if (added < 0)
        return;
    m_list.SetItemText(added, kAddressColumn, inet_ntoa(from.sin_addr));
    m_list.SetItemText(added, kStateColumn, kq::ChannelStateText(fields.state));
    m_list.SetItemData(added, fields.value);
    const int number = kq::UpdateChannel(Channels(), fields.value, fields.state, address, fields.name);
    m_list.SetItemText(added, kNumberColumn, kq::ChannelNumberText(number).c_str());
}

void CVideoBroadcastDlg::ReadWithdrawal(const uint8_t* data, size_t length)
{
    std::string name;
    if (!kq::ParseChannelWithdraw(data, length, name))
        return;
    const int row = FindRow(name);
    if (row < 0)
        return;
    const uint32_t key = static_cast<uint32_t>(m_list.GetItemData(row));
    m_list.DeleteItem(row);
    kq::RemoveChannel(Channels(), key);
}

int CVideoBroadcastDlg::FindRow(const std::string& name) const
{
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (kq::EqualIgnoringCase(m_list.GetItemText(row, kNameColumn).GetString(), name))
            return row;
    }
    return -1;
}

// ---- Buttons ----

int CVideoBroadcastDlg::SelectedRowOrWarn() const
{
    const int row = m_list.GetSafeHwnd() != nullptr ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (row < 0)
        kq::ShowWarning(IDS_NO_CHANNEL_SELECTED);
    return row;
}

bool CVideoBroadcastDlg::RowIsStopped(int row) const
{
    return m_list.GetItemText(row, kStateColumn) == kq::ChannelStateText(kq::kChannelStopped);
}

void CVideoBroadcastDlg::OnPlay()
{
    const int row = SelectedRowOrWarn();
    if (row < 0)
        return;
    if (kq::CountActiveChannels(Channels()) > kMostActiveChannels) {
        kq::ShowWarning(IDS_TOO_MANY_CHANNELS_PLAYING);
        return;
    }
    SendPlayerCommand(row, kq::kVodWordPlay);
    NotifySeats(row);
    ShowWaitBox();
}

void CVideoBroadcastDlg::OnStop()
{
    const int row = SelectedRowOrWarn();
    if (row < 0 || RowIsStopped(row))
        return;
    // The row shows the new state when the server announces it.
    SendPlayerCommand(row, kq::kVodWordStop);
}

void CVideoBroadcastDlg::OnShowToSeats()
{
    const int row = SelectedRowOrWarn();
    if (row < 0)
        return;
    if (RowIsStopped(row)) {
        kq::ShowWarning(IDS_CHANNEL_STOPPED);
        return;
    }
    NotifySeats(row);
    ShowWaitBox();
}

void CVideoBroadcastDlg::OnListDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (m_mode == kShowMode || row < 0)
        return;
    if (kq::CountActiveChannels(Channels()) > kMostActiveChannels) {
        kq::ShowWarning(IDS_TOO_MANY_CHANNELS_PLAYING);
        return;
    }
    // A name rather than a control word hands the channel to our own player.
    const CString name = m_list.GetItemText(row, kNameColumn);
    SendPlayerCommand(row, name);
}

void CVideoBroadcastDlg::OnAddChannel()
{
    if (Channels().size() > kMostListedChannels)
        kq::ShowWarning(IDS_CHANNEL_LIST_FULL); // a notice: the channel is added all the same
    if (!StartServer())
        return;
    CVideoFileDlg file(IDD_WAIT_BOX, kFileDialogCloseX, kFileDialogCloseY, IDB_VIDEO_FILE_BACKGROUND, nullptr);
    if (file.DoModal() != IDOK)
        return;
    // The list changes with the server's announcements that follow.
    SendChannelCommand(kq::kVideoChannelAdd, file.GetChannelName(), file.GetFilePath());
}

void CVideoBroadcastDlg::OnRemoveChannel()
{
    const int row = SelectedRowOrWarn();
    if (row < 0)
        return;
    const CString name = m_list.GetItemText(row, kNameColumn);
    SendChannelCommand(kq::kVideoChannelRemove, name, nullptr);
}

void CVideoBroadcastDlg::OnRefresh()
{
    // The channel list keeps its entries: a channel announced again keeps its number.
    m_list.DeleteAllItems();
    const kq::ChannelQuery query{kq::kChannelQueryKind};
    m_announceSocket.SendTo(&query, sizeof query, nullptr, 1);
}

void CVideoBroadcastDlg::OnOK()
{
    OnClose();
}

void CVideoBroadcastDlg::OnCancel()
{
    OnClose();
}

void CVideoBroadcastDlg::OnClose()
{
    CloseSockets();
    EndDialog(IDOK);
}

// ---- What the buttons send ----

void CVideoBroadcastDlg::SendPlayerCommand(int row, const char* command)
{
    const CString server = m_list.GetItemText(row, kAddressColumn);
    VodCommandArgs args{};
    args.name = server;
    args.channel = static_cast<uint16_t>(m_list.GetItemData(row) & 0xFFFF);
    args.address = m_group;
    args.port = static_cast<uint16_t>(kAnnouncePortBase + m_classroom);
    args.command = command;
    SendVodCommand(&args);
}

void CVideoBroadcastDlg::NotifySeats(int row)
{
    if (row < 0)
        return;
    // The copy taken at opening: the box loops may have seen the main
    // window's block cleared and reused by another command meanwhile.
    m_prepared.block.code = kChannelCommandCode;
    kq::SetCommandChannelName(m_prepared, m_list.GetItemText(row, kNameColumn));
    LecternSendCommand(&m_prepared);
    if (m_command != nullptr)
        *m_command = m_prepared; // the block holds the last command sent, as every command leaves it
}

void CVideoBroadcastDlg::ShowWaitBox()
{
    CKqWaitTimeDlg wait(IDD_WAIT_BOX, kWaitCloseX, kWaitCloseY, IDB_WAIT_VIDEO_BACKGROUND, kWaitSeconds, nullptr);
    wait.DoModal();
}

bool CVideoBroadcastDlg::StartServer()
{
    if (::FindWindowA(nullptr, kServerTitle) != nullptr)
        return true;
    const std::string line = kq::ChannelServerCommandLine(kq::GetProgramFolder(), m_group, m_classroom);
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                          nullptr, &m_serverStartup, &started))
        return false;
    // Ready for the channel command once it waits for input.
    ::WaitForInputIdle(started.hProcess, kServerReadyWaitMs);
    if (m_serverProcess == nullptr) {
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
        return true;
    }
    // A server started before has ended (its window is gone): its handles go.
    if (m_serverProcess->hThread != nullptr)
        ::CloseHandle(m_serverProcess->hThread);
    if (m_serverProcess->hProcess != nullptr)
        ::CloseHandle(m_serverProcess->hProcess);
    *m_serverProcess = started;
    return true;
}

void CVideoBroadcastDlg::SendChannelCommand(uint8_t kind, const char* name, const char* file)
{
    const kq::VideoChannelCommand command = kq::MakeVideoChannelCommand(kind, name, file);
    m_commandSocket.SendTo(&command, sizeof command, nullptr, 1);
}
