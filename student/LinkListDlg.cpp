#include "student/LinkListDlg.h"

#include "common/AdapterAddress.h"
#include "common/GroupMembership.h"
#include "common/ShellOpen.h"
#include "common/TextField.h"
#include "student/LinkListRules.h"
#include "student/StudentMessages.h"
#include "widgets/StudentLook.h"

#include <commctrl.h>

#include <vector>

BEGIN_MESSAGE_MAP(CLinkListDlg, CSkinDialog)
    ON_BN_CLICKED(CLinkListDlg::kOpenId, OnOpenButton)
    ON_BN_CLICKED(CLinkListDlg::kCloseId, OnCloseButton)
    ON_BN_CLICKED(CLinkListDlg::kRefreshId, OnRefresh)
    ON_MESSAGE(CLinkListDlg::WM_LINK_SOCKET, OnSocket)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 192;
constexpr POINT kClosePosition = {321, 4};
constexpr POINT kOpenPosition = {278, 38};
constexpr POINT kCloseButtonPosition = {278, 200};
constexpr POINT kRefreshPosition = {278, 66};
constexpr UINT kOpenUp = 193, kOpenDown = 194;
constexpr UINT kCloseUp = 196, kCloseDown = 195;
constexpr UINT kRefreshUp = 202, kRefreshDown = 203;
constexpr RECT kListRect = {14, 35, 235, 222};
constexpr int kColumnWidth = 220;
constexpr UINT kColumnTitle = 61467;
constexpr UINT kNetworkFailed = 61484;
constexpr UINT kOpenFailed = 61466;
constexpr int kRowTextSize = 1024;

} // namespace

CLinkListDlg::CLinkListDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

CLinkListDlg::~CLinkListDlg()
{
    CloseSocket();
}

BOOL CLinkListDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (!CreateControls())
        return FALSE;
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!OpenSocket()) {
        CloseSocket();
        kq::ShowStudentMessage(kq::MessageForm::Error, kNetworkFailed, CMessageBoxDlg::kCloseAfter120s);
        return FALSE;
    }
    SendRequest();
    return TRUE;
}

bool CLinkListDlg::CreateControls()
{
    if (!m_open.Create(kOpenPosition.x, kOpenPosition.y, kOpenId, this, WS_VISIBLE) ||
        !m_close.Create(kCloseButtonPosition.x, kCloseButtonPosition.y, kCloseId, this, WS_VISIBLE) ||
        !m_refresh.Create(kRefreshPosition.x, kRefreshPosition.y, kRefreshId, this, WS_VISIBLE))
        return false;
    m_open.LoadBitmaps(kOpenUp, kOpenDown, nullptr, 0);
    m_close.LoadBitmaps(kCloseUp, kCloseDown, nullptr, 0);
    m_refresh.LoadBitmaps(kRefreshUp, kRefreshDown, nullptr, 0);

    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    if (!m_list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                                                 LVS_SHOWSELALWAYS,
                         kListRect, this, kListId))
        return false;
    ListView_SetExtendedListViewStyle(m_list.m_hWnd, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CString title;
    title.LoadString(kColumnTitle);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    column.pszText = const_cast<char*>(static_cast<const char*>(title));
    ::SendMessageA(m_list.m_hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    return true;
}

bool CLinkListDlg::OpenSocket()
{
    if (m_winsock.Start() != 0)
        return false;
    m_socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (m_socket == INVALID_SOCKET)
        return false;
    if (!kq::BindShared(m_socket, htons(static_cast<u_short>(m_mainPort + kPortOffset)), htonl(INADDR_ANY)) ||
        !kq::JoinAndSendOn(m_socket, m_classroomGroup, kq::AdapterInterface(kq::ReadAdapterAddress())))
        return false;
    return ::WSAAsyncSelect(m_socket, m_hWnd, WM_LINK_SOCKET, FD_READ) == 0;
}

void CLinkListDlg::CloseSocket()
{
    if (m_socket != INVALID_SOCKET) {
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
    m_winsock.Stop();
}

void CLinkListDlg::SendRequest()
{
    ::SendMessageA(m_list.m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    if (m_socket == INVALID_SOCKET)
        return;
    const kq::LinkListShort request = kq::MakeLinkListShort(kq::kLinkListRequest);
    sockaddr_in group = {};
    group.sin_family = AF_INET;
    group.sin_port = htons(static_cast<u_short>(m_mainPort + kPortOffset));
    group.sin_addr.s_addr = m_classroomGroup;
    ::sendto(m_socket, reinterpret_cast<const char*>(&request), sizeof request, 0,
             reinterpret_cast<const sockaddr*>(&group), sizeof group);
}

void CLinkListDlg::OnRefresh()
{
    SendRequest();
}

LRESULT CLinkListDlg::OnSocket(WPARAM, LPARAM)
{
    if (m_socket == INVALID_SOCKET)
        return 0;
    std::vector<char> datagram(kq::kLinkListMaxSize);
    const int length = ::recv(m_socket, datagram.data(), static_cast<int>(datagram.size()), 0);
    if (length <= 0)
        return 0;
    const kq::LinkReply reply = kq::ParseLinkListReply(datagram.data(), static_cast<size_t>(length));
    switch (reply.action) {
    case kq::LinkReplyAction::Add:
        AddRow(reply.address);
        break;
    case kq::LinkReplyAction::Clear:
        ::SendMessageA(m_list.m_hWnd, LVM_DELETEALLITEMS, 0, 0);
        break;
    case kq::LinkReplyAction::Close:
        PostMessage(WM_CLOSE);
        break;
    case kq::LinkReplyAction::Ignore:
        break;
    }
    return 0;
}

int CLinkListDlg::RowCount() const
{
    return static_cast<int>(::SendMessageA(m_list.m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

std::string CLinkListDlg::RowText(int row) const
{
    char text[kRowTextSize] = {};
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(m_list.m_hWnd, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void CLinkListDlg::AddRow(const std::string& address)
{
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row)
        if (kq::EqualIgnoringCase(RowText(row), address))
            return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = rows;
    item.pszText = const_cast<char*>(address.c_str());
    ::SendMessageA(m_list.m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CLinkListDlg::OpenSelected()
{
    const int row = static_cast<int>(::SendMessageA(m_list.m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                    LVNI_SELECTED));
    if (row < 0)
        return;
    const std::string text = RowText(row);
    if (text.empty())
        return;
    if (!kq::ShellOpen(kq::AddressToOpen(text)))
        kq::ShowStudentMessage(kq::MessageForm::Error, kOpenFailed, CMessageBoxDlg::kCloseAfter120s);
}

void CLinkListDlg::OnOpenButton()
{
    OpenSelected();
}

void CLinkListDlg::OnOK()
{
    OpenSelected(); // Enter opens; the dialog stays
}

BOOL CLinkListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == kListId && header->code == NM_DBLCLK) {
        OpenSelected();
        *result = 0;
        return TRUE;
    }
    return CSkinDialog::OnNotify(wParam, lParam, result);
}

void CLinkListDlg::OnCloseButton()
{
    OnCancel();
}

void CLinkListDlg::OnCancel()
{
    CloseSocket();
    CSkinDialog::OnCancel();
}
