#include "channels/CastviewDlg.h"

#include "channels/CastviewLook.h"
#include "channels/PlayerHandOff.h"
#include "channels/SocketOptionText.h"
#include "common/ChannelAnnounce.h"
#include "common/ChannelJoinNotice.h"
#include "common/ChannelQuery.h"
#include "common/DriveType.h"
#include "common/GroupMembership.h"
#include "common/Ipv4Text.h"
#include "common/ProgramFolder.h"
#include "common/StudentIni.h"

namespace {

constexpr UINT kBackground = 175;
constexpr POINT kClosePosition = {320, 4};
constexpr UINT kIcon = 128;
constexpr UINT kTitleText = 130;

constexpr POINT kPlayPosition = {278, 38};
constexpr UINT kPlayUp = 174;
constexpr UINT kPlayDown = 173;
constexpr POINT kRefreshPosition = {278, 63};
constexpr UINT kRefreshUp = 135;
constexpr UINT kRefreshDown = 136;

constexpr RECT kListRect = {14, 36, 236, 222};
constexpr char kNameColumn[] = "频道名称";
constexpr int kNameColumnWidth = 100;
constexpr char kServerColumn[] = "服务器IP";
constexpr int kServerColumnWidth = 80;

constexpr UINT kRefreshMs = 1000;
// Seats start in fives, a second apart, so a classroom does not start its
// players all at once.
constexpr int kSeatsPerSecond = 5;
constexpr DWORD kSeatDelayMs = 1000;
// Each join notice goes out this many times, this far apart.
constexpr int kNoticeRepeats = 7;
constexpr DWORD kNoticePauseMs = 5;

// student.ini's keys as the receiver reads them: text, at most 80 characters.
constexpr int kKeyMaxChars = 80;
constexpr char kNetworkSection[] = "NETWORK";
constexpr char kMainPortKey[] = "MainPort";
constexpr char kBaseKey[] = "Multi_MainIP";
constexpr char kVerSection[] = "Ver";
constexpr char kClassroomKey[] = "ClassroomID";

// The channel being handed to the player.
kq::ChannelInfo g_currentChannel;

void ShowOptionFailure(int error, const char* otherwise)
{
    const char* text = kq::SocketOptionErrorText(error);
    AfxMessageBox(text != nullptr ? text : otherwise);
}

} // namespace

BEGIN_MESSAGE_MAP(CCastviewDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_NOTIFY(NM_DBLCLK, CCastviewDlg::kListId, OnDblClk)
END_MESSAGE_MAP()

CCastviewDlg::CCastviewDlg(const char* commandLine)
    : CSkinDialog(kTemplate, kq::kCastviewCornerWidth, kq::kCastviewCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kCastviewSkinLook),
      m_commandLine(commandLine != nullptr ? commandLine : ""),
      m_channels(*this)
{
}

CCastviewDlg::~CCastviewDlg()
{
    if (m_noticeSocket != INVALID_SOCKET)
        ::closesocket(m_noticeSocket);
    if (m_icon != nullptr)
        ::DestroyIcon(m_icon);
}

BOOL CCastviewDlg::OnInitDialog()
{
    const kq::CastviewCommandLine parsed = kq::ParseCastviewCommandLine(m_commandLine.c_str());
    m_seat = parsed.seat;
    m_channelName = parsed.channelName;
    CSkinDialog::OnInitDialog();
    m_icon = AfxGetApp()->LoadIcon(kIcon);
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    CString title;
    title.LoadString(kTitleText);
    SetWindowText(title);
    m_play.Create(kPlayPosition.x, kPlayPosition.y, kPlayId, this, WS_VISIBLE);
    m_play.LoadBitmaps(kPlayUp, kPlayDown, nullptr, 0);
    m_refresh.Create(kRefreshPosition.x, kRefreshPosition.y, kRefreshId, this, WS_VISIBLE);
    m_refresh.LoadBitmaps(kRefreshUp, kRefreshDown, nullptr, 0);

    ReadSettings();
    if (!OpenNoticeSocket())
        return TRUE; // no list and no channels: the two buttons stay
    CreateList();
    OpenChannelSockets();
    SendQuery();
    m_started = false;
    if (Automatic())
        SetTimer(kRefreshTimer, kRefreshMs);
    return TRUE;
}

void CCastviewDlg::ReadSettings()
{
    m_systemDriveFixed = kq::SystemDriveIsFixed(kq::DriveType);
    kq::CastviewIniValues values;
    const kq::InstallFolders install = kq::ReadInstallFolders();
    if (install.keyFound && !install.path.empty()) {
        const std::string ini = m_systemDriveFixed
                                    ? kq::StudentIniIn(install.path)
                                    : kq::MakePerHostPaths(install.path, kq::ReadHostName()).working;
        values.mainPort = kq::ReadIniText(ini, kNetworkSection, kMainPortKey, "", kKeyMaxChars);
        values.multicastBase = kq::ReadIniText(ini, kNetworkSection, kBaseKey, "", kKeyMaxChars);
        values.classroomId = kq::ReadIniText(ini, kVerSection, kClassroomKey, "", kKeyMaxChars);
    }
    // Whether the process has a command line decides the channel group.
    m_network = kq::ResolveCastviewNetwork(values, !m_commandLine.empty());
}

bool CCastviewDlg::OpenNoticeSocket()
{
    m_noticeSocket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (m_noticeSocket == INVALID_SOCKET)
        return false;
    if (!kq::BindShared(m_noticeSocket, htons(m_network.noticePort), INADDR_ANY)) {
        ::closesocket(m_noticeSocket);
        m_noticeSocket = INVALID_SOCKET;
        return false;
    }
    m_noticeAddress.sin_family = AF_INET;
    m_noticeAddress.sin_addr.s_addr = m_network.noticeGroup;
    m_noticeAddress.sin_port = htons(m_network.noticePort);
    return true;
}

void CCastviewDlg::CreateList()
{
    m_list.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kListRect,
                  this, kListId);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, kNameColumn, LVCFMT_LEFT, kNameColumnWidth);
    m_list.InsertColumn(1, kServerColumn, LVCFMT_LEFT, kServerColumnWidth);
}

void CCastviewDlg::OpenChannelSockets()
{
    if (!m_sender.Create(0, SOCK_DGRAM)) {
        AfxMessageBox("udpBC create Error!");
    } else {
        const BOOL on = TRUE;
        if (!m_sender.SetSockOpt(SO_BROADCAST, &on, sizeof on))
            ShowOptionFailure(CAsyncSocket::GetLastError(), "Other udpBC setopt error!");
    }

    m_receiver.SetOwner(this);
    if (!m_receiver.Socket(SOCK_DGRAM)) {
        AfxMessageBox("udprecv create Error");
        return;
    }
    const BOOL reuse = TRUE;
    if (!m_receiver.SetSockOpt(SO_REUSEADDR, &reuse, sizeof reuse))
        ShowOptionFailure(CAsyncSocket::GetLastError(), "Other udprecv setopt error");
    if (!m_receiver.Bind(m_network.channelPort))
        AfxMessageBox("udprecv bind error!");
    const uint32_t group = kq::ParseDottedIpv4(m_network.channelGroup).value_or(kq::kIpv4None);
    // The default interface, whatever student.ini names.
    if (!kq::JoinGroupOn(m_receiver.m_hSocket, group, INADDR_ANY))
        AfxMessageBox("udprecv join group error!");
}

void CCastviewDlg::OnPaint()
{
    ShowWindow(Automatic() ? SW_HIDE : SW_SHOW);
    if (!IsIconic()) {
        CSkinDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    dc.DrawIcon((client.Width() - iconWidth + 1) / 2, (client.Height() - iconHeight + 1) / 2, m_icon);
}

void CCastviewDlg::OnWindowPosChanging(WINDOWPOS* position)
{
    // An automatic start is never seen, not even before its first paint
    // (the hand-off may keep the window's thread busy for seconds).
    // The change itself needs nothing of the default processing.
    if (Automatic())
        position->flags &= ~SWP_SHOWWINDOW;
}

void CCastviewDlg::OnTimer(UINT_PTR id)
{
    if (id == kRefreshTimer)
        Refresh();
}

void CCastviewDlg::OnClose()
{
    // Esc and the refresh button are IDCANCEL here; closing ends the dialog.
    EndDialog(IDCANCEL);
}

void CCastviewDlg::OnOK()
{
    OnPlay();
}

void CCastviewDlg::OnCancel()
{
    Refresh();
}

void CCastviewDlg::OnDblClk(NMHDR*, LRESULT* result)
{
    OnPlay();
    *result = 0;
}

void CCastviewDlg::Refresh()
{
    m_channels.Refresh();
}

void CCastviewDlg::OnDatagram(const uint8_t* data, size_t length, const std::string& server)
{
    kq::ChannelInfo announced;
    if (m_channels.OnDatagram(data, length, server, announced) && Automatic() && announced.name == m_channelName)
        AutoStart(announced);
}

void CCastviewDlg::AutoStart(const kq::ChannelInfo& announced)
{
    KillTimer(kRefreshTimer);
    g_currentChannel = announced; // whatever its state
    if (m_started)
        return;
    m_started = true;
    if (!m_systemDriveFixed && m_seat != 0)
        ::Sleep(static_cast<DWORD>(m_seat / kSeatsPerSecond) * kSeatDelayMs);
    StartPlayer(g_currentChannel);
}

void CCastviewDlg::OnPlay()
{
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    POSITION position = m_list.GetFirstSelectedItemPosition();
    if (position == nullptr)
        return;
    const int row = m_list.GetNextSelectedItem(position);
    const auto* record = reinterpret_cast<const kq::ChannelInfo*>(m_list.GetItemData(row));
    if (record == nullptr)
        return;
    g_currentChannel = *record;
    if (g_currentChannel.state != kq::kChannelStopped)
        StartPlayer(g_currentChannel);
}

void CCastviewDlg::StartPlayer(const kq::ChannelInfo& channel)
{
    if (CPlayerHandOff::PlayerRuns()) {
        if (Automatic())
            EndDialog(IDCANCEL);
        return;
    }
    CPlayerHandOff handOff;
    if (!handOff.Start(channel, kq::GetProgramFolder())) {
        // Nothing more can come of an automatic start: end rather than stay
        // hidden with the single-instance mutex.
        if (Automatic())
            EndDialog(IDCANCEL);
        return;
    }
    SendJoinNotice(channel.value, true);
    handOff.WaitUntilTaken();
    if (Automatic()) {
        EndDialog(IDOK); // the player keeps running
        return;
    }
    handOff.WaitUntilEnded();
    SendJoinNotice(channel.value, false);
}

void CCastviewDlg::SendJoinNotice(uint32_t channelValue, bool joined)
{
    if (m_noticeSocket == INVALID_SOCKET)
        return;
    const kq::ChannelJoinNotice notice = kq::MakeChannelJoinNotice(channelValue, m_seat, joined);
    for (int i = 0; i < kNoticeRepeats; ++i) {
        ::sendto(m_noticeSocket, reinterpret_cast<const char*>(&notice), sizeof notice, 0,
                 reinterpret_cast<const sockaddr*>(&m_noticeAddress), sizeof m_noticeAddress);
        if (i + 1 < kNoticeRepeats)
            ::Sleep(kNoticePauseMs);
    }
}

// ---- The rows of the list control ------------------------------------------

int CCastviewDlg::RowCount() const
{
    return m_list.GetSafeHwnd() != nullptr ? m_list.GetItemCount() : 0;
}

const kq::ChannelInfo* CCastviewDlg::RowRecord(int row) const
{
    return reinterpret_cast<const kq::ChannelInfo*>(m_list.GetItemData(row));
}

std::string CCastviewDlg::RowName(int row) const
{
    return static_cast<LPCSTR>(m_list.GetItemText(row, 0));
}

void CCastviewDlg::AppendRow(const kq::ChannelInfo& record)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), record.name.c_str());
    if (row < 0)
        return;
    m_list.SetItemText(row, 1, record.server.c_str());
    m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(&record));
}

void CCastviewDlg::DeleteRow(int row)
{
    m_list.DeleteItem(row);
}

void CCastviewDlg::DeleteAllRows()
{
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.DeleteAllItems();
}

void CCastviewDlg::SendQuery()
{
    if (m_sender.m_hSocket == INVALID_SOCKET)
        return;
    const kq::ChannelQuery query{kq::kChannelQueryKind};
    m_sender.SendTo(&query, sizeof query, m_network.channelPort, m_network.channelGroup.c_str());
}
