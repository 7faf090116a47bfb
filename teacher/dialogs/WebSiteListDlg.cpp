#include "teacher/dialogs/WebSiteListDlg.h"

#include "common/LinkListDatagram.h"
#include "teacher/WebSiteEntry.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/WebSiteEntryDlg.h"

#include "TeacherResources.h"

BEGIN_MESSAGE_MAP(CWebSiteListDlg, CSkinDialog)
    ON_BN_CLICKED(CWebSiteListDlg::kAddId, OnAdd)
    ON_BN_CLICKED(CWebSiteListDlg::kEditId, OnEdit)
    ON_BN_CLICKED(CWebSiteListDlg::kDeleteId, OnDelete)
    ON_BN_CLICKED(CWebSiteListDlg::kCloseId, OnCloseButton)
    ON_NOTIFY(NM_DBLCLK, CWebSiteListDlg::kListId, OnDoubleClick)
    ON_NOTIFY(LVN_ENDLABELEDITA, CWebSiteListDlg::kListId, OnEndLabelEdit)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 321;
constexpr int kCloseY = 4;

const CRect kAddRect(278, 38, 321, 58);
const CRect kEditRect(278, 63, 321, 83);
const CRect kDeleteRect(278, 88, 321, 108);
const CRect kCloseRect(278, 200, 321, 220);
const CRect kListRect(14, 35, 235, 222);

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr int kNameColumn = 0;
constexpr int kFileColumn = 1;
constexpr int kNameColumnWidth = 125;
constexpr int kFileColumnWidth = 124;

// The change notice: three sends with a pause after each, then a fourth.
constexpr int kNoticePausedSends = 3;
constexpr DWORD kNoticePauseMs = 10;

} // namespace

CWebSiteListDlg::CWebSiteListDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_WEB_SITE_LIST_BACKGROUND, nullptr)
{
}

CWebSiteListDlg::~CWebSiteListDlg()
{
    ReleaseService();
    CloseSocket();
}

void CWebSiteListDlg::ReleaseService()
{
    if (m_holdsService)
        m_service->Release();
    m_holdsService = false;
}

BOOL CWebSiteListDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    if (m_service != nullptr) {
        m_service->AddRef();
        m_holdsService = true;
    }

    const struct {
        CBitmapButton& button;
        const CRect& rect;
        UINT id, up, down;
    } buttons[] = {
        {m_close, kCloseRect, kCloseId, TeacherRes::IDB_VIDEO_CLOSE_UP, TeacherRes::IDB_VIDEO_CLOSE_DOWN},
        {m_delete, kDeleteRect, kDeleteId, TeacherRes::IDB_DELETE_UP, TeacherRes::IDB_DELETE_HOVER},
        {m_edit, kEditRect, kEditId, TeacherRes::IDB_EDIT_UP, TeacherRes::IDB_EDIT_HOVER},
        {m_add, kAddRect, kAddId, TeacherRes::IDB_ADD_UP, TeacherRes::IDB_ADD_HOVER},
    };
    for (const auto& b : buttons)
        if (b.button.Create(nullptr, kButtonStyle, b.rect, this, b.id))
            b.button.LoadBitmaps(b.up, b.down);
    m_list.Create(kListStyle, kListRect, this, kListId);
    m_list.SetExtendedStyle(kListExStyle);
    m_list.InsertColumn(kNameColumn, "站点名称", LVCFMT_LEFT, kNameColumnWidth);
    m_list.InsertColumn(kFileColumn, "对应文件", LVCFMT_LEFT, kFileColumnWidth);

    // Without the socket the list still works; only the notices stay home.
    OpenSocket();

    m_store.SetPath(m_file);
    if (m_store.ReadFile())
        m_fileState = FileState::Read;
    else
        m_fileState = m_store.GetLastError().empty() ? FileState::Missing : FileState::Unreadable;
    const int pairs = m_store.GetValueCount(kq::kWebSiteSection);
    for (int i = 0; i < pairs; ++i) {
        std::string name;
        const std::string file = m_store.GetValueAt(kq::kWebSiteSection, i, name);
        const kq::LinkList::Handle entry = m_links != nullptr ? m_links->FindOrAdd(name) : kq::LinkList::kNoEntry;
        AppendRow(name.c_str(), file.c_str(), entry);
    }
    NotifyStudents();
    return TRUE;
}

bool CWebSiteListDlg::OpenSocket()
{
    m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (m_socket == INVALID_SOCKET)
        return false;
    const BOOL reuse = TRUE;
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<u_short>(m_mainPort + kq::kClassroomPortOffset));
    if (::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse) != 0 ||
        ::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        CloseSocket();
        return false;
    }
    return true;
}

void CWebSiteListDlg::CloseSocket()
{
    if (m_socket != INVALID_SOCKET) {
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}

void CWebSiteListDlg::NotifyStudents()
{
    if (m_socket == INVALID_SOCKET)
        return;
    sockaddr_in group = {};
    group.sin_family = AF_INET;
    group.sin_addr.s_addr = m_group;
    group.sin_port = htons(static_cast<u_short>(m_mainPort + kq::kClassroomPortOffset));
    const kq::LinkListShort clear = kq::MakeLinkListShort(kq::kLinkListClear);
    for (int i = 0; i <= kNoticePausedSends; ++i) {
        ::sendto(m_socket, reinterpret_cast<const char*>(&clear), sizeof clear, 0,
                 reinterpret_cast<const sockaddr*>(&group), sizeof group);
        if (i < kNoticePausedSends)
            ::Sleep(kNoticePauseMs);
    }
}

bool CWebSiteListDlg::MayChange()
{
    if (m_fileState != FileState::Unreadable)
        return true;
    kq::ShowWarning(TeacherRes::IDS_WEB_SITE_FILE_MISSING);
    return false;
}

bool CWebSiteListDlg::Commit()
{
    if (!m_store.WriteFile()) {
        kq::ShowWarning(TeacherRes::IDS_WEB_SITE_FILE_MISSING);
        // The rows still show the file: take the store back to it.
        m_store = CIniStore();
        m_store.SetPath(m_file);
        m_store.ReadFile();
        return false;
    }
    m_fileState = FileState::Read;
    if (m_holdsService) {
        int siteCount = 0; // the count is the object's business, and so is a failure
        m_service->ReloadSites(&siteCount);
    }
    return true;
}

int CWebSiteListDlg::FindRow(const CString& name, int except) const
{
    const int rows = m_list.GetItemCount();
    for (int row = 0; row < rows; ++row)
        if (row != except && CIniStore::EqualNoCase(std::string(m_list.GetItemText(row, kNameColumn)), std::string(name)))
            return row;
    return -1;
}

int CWebSiteListDlg::FirstSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CWebSiteListDlg::AppendRow(const CString& name, const CString& file, kq::LinkList::Handle entry)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), name);
    if (row < 0)
        return;
    m_list.SetItemText(row, kFileColumn, file);
    m_list.SetItemData(row, entry);
}

void CWebSiteListDlg::OnOK()
{
    if (m_list.GetEditControl() != nullptr) {
        m_list.SetFocus(); // the list ends the rename and keeps the text
        return;
    }
    OnAdd();
}

void CWebSiteListDlg::OnAdd()
{
    CWebSiteEntryDlg entry(TeacherRes::IDB_WEB_SITE_ADD_BACKGROUND);
    if (entry.DoModal() != IDOK)
        return;
    const CString name = entry.GetSiteName();
    const CString file = entry.GetFileName();
    if (FindRow(name, -1) >= 0) {
        kq::ShowWarning(TeacherRes::IDS_SITE_ALREADY_LISTED);
        return;
    }
    if (!MayChange())
        return;
    m_store.SetValue(kq::kWebSiteSection, std::string(name), std::string(file), true);
    if (!Commit())
        return;
    const kq::LinkList::Handle handle =
        m_links != nullptr ? m_links->FindOrAdd(std::string(name)) : kq::LinkList::kNoEntry;
    AppendRow(name, file, handle);
    NotifyStudents();
}

void CWebSiteListDlg::OnEdit()
{
    const int row = FirstSelectedRow();
    if (row < 0)
        return;
    const CString oldName = m_list.GetItemText(row, kNameColumn);
    const CString oldFile = m_list.GetItemText(row, kFileColumn);
    CWebSiteEntryDlg entry(TeacherRes::IDB_WEB_SITE_EDIT_BACKGROUND);
    entry.SetSiteName(oldName);
    entry.SetFileName(oldFile);
    if (entry.DoModal() != IDOK)
        return;
    const CString name = entry.GetSiteName();
    const CString file = entry.GetFileName();
    if (name == oldName && file == oldFile)
        return;
    ReplaceRow(row, name, file);
}

void CWebSiteListDlg::OnEndLabelEdit(NMHDR* header, LRESULT* result)
{
    *result = FALSE; // the label is set here, or keeps its old name
    const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
    const int row = info->item.iItem;
    if (info->item.pszText == nullptr || row < 0)
        return; // the edit was cancelled
    CString name = info->item.pszText;
    name.Trim();
    const CString oldName = m_list.GetItemText(row, kNameColumn);
    if (name == oldName)
        return;
    if (!kq::AcceptSiteEntry(kq::CheckSiteName(std::string(name))))
        return;
    ReplaceRow(row, name, m_list.GetItemText(row, kFileColumn));
}

void CWebSiteListDlg::ReplaceRow(int row, const CString& name, const CString& file)
{
    if (FindRow(name, row) >= 0) {
        kq::ShowWarning(TeacherRes::IDS_SITE_NAME_TAKEN);
        return;
    }
    if (!MayChange())
        return;
    m_store.DeleteValue(kq::kWebSiteSection, std::string(m_list.GetItemText(row, kNameColumn)));
    m_store.SetValue(kq::kWebSiteSection, std::string(name), std::string(file), true);
    if (!Commit())
        return;
    if (m_links != nullptr)
        m_links->Rename(static_cast<kq::LinkList::Handle>(m_list.GetItemData(row)), std::string(name));
    m_list.SetItemText(row, kNameColumn, name);
    m_list.SetItemText(row, kFileColumn, file);
    NotifyStudents();
}

void CWebSiteListDlg::OnDelete()
{
    const int row = FirstSelectedRow();
    if (row < 0 || !MayChange())
        return;
    m_store.DeleteValue(kq::kWebSiteSection, std::string(m_list.GetItemText(row, kNameColumn)));
    if (!Commit())
        return;
    if (m_links != nullptr)
        m_links->Remove(static_cast<kq::LinkList::Handle>(m_list.GetItemData(row)));
    m_list.DeleteItem(row);
    NotifyStudents();
}

void CWebSiteListDlg::OnDoubleClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    OnEdit();
}

void CWebSiteListDlg::OnCancel()
{
    OnCloseButton();
}

void CWebSiteListDlg::OnCloseButton()
{
    ReleaseService();
    CloseSocket();
    EndDialog(IDOK);
}
