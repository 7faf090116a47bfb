#include "deskedit/ShortcutListCtrl.h"

#include "common/StudentIni.h"
#include "common/TextField.h"
#include "deskedit/ConfigFolder.h"
#include "deskedit/DeskMessageDlg.h"
#include "deskedit/ShortcutRules.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstring>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

constexpr unsigned kMessageRegistryFailed = 61207;
constexpr int kIconSize = 32;
constexpr UINT kImageFlags = ILC_COLOR8 | ILC_MASK;
constexpr int kImageGrowth = 4;

bool IsDotName(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

void ShowMessage(unsigned id)
{
    CDeskMessageDlg box(id);
    box.DoModal();
}

std::string ReadWholeFile(const std::string& path, bool& read)
{
    std::ifstream in(path, std::ios::binary);
    read = static_cast<bool>(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

BEGIN_MESSAGE_MAP(CShortcutListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DROPFILES()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

int CShortcutListCtrl::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CListCtrl::OnCreate(createStruct) == -1)
        return -1;
    const kq::InstallFolders install = kq::ReadInstallFolders();
    if (!install.keyFound || install.path.empty()) {
        ShowMessage(kMessageRegistryFailed);
        GetParent()->PostMessage(WM_CLOSE, 0, 0);
        return 0;
    }
    m_installFolder = install.path;
    if (kq::PrepareConfigFolder(m_installFolder, m_configFolder, ShowMessage) == kq::kConfigFailed)
        return 0;
    m_prepared = true;

    m_images.Create(kIconSize, kIconSize, kImageFlags, 0, kImageGrowth);
    SetImageList(&m_images, LVSIL_NORMAL);
    FillList(kq::kProgramsList);
    FillList(kq::kDesktopList); // the desktop list is now shown: showing list 0 refills the rows
    ShowList(kq::kProgramsList);
    return 0;
}

void CShortcutListCtrl::FillList(int list)
{
    m_shownList = list;
    const std::string folder =
        m_configFolder + "\\" + (list == kq::kDesktopList ? kq::kDesktopFolder : kq::kProgramsFolder);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!IsDotName(found.cFileName) && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            AddEntry(folder + "\\" + found.cFileName, false);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void CShortcutListCtrl::AddEntry(const std::string& path, bool added)
{
    const HRESULT com = ::CoInitialize(nullptr);
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON | SHGFI_DISPLAYNAME);

    auto entry = std::make_unique<kq::ShortcutEntry>();
    std::memset(entry.get(), 0, sizeof *entry);
    entry->state = added ? kq::kShortcutAdded : kq::kShortcutOriginal;
    kq::CopyTextField(entry->path, path.c_str());
    kq::CopyTextField(entry->displayName, info.szDisplayName);
    entry->image = info.hIcon != nullptr ? m_images.Add(info.hIcon) : -1;
    m_lists[m_shownList].push_back(std::move(entry));
    AppendRow(*m_lists[m_shownList].back());

    if (info.hIcon != nullptr)
        ::DestroyIcon(info.hIcon);
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

void CShortcutListCtrl::AppendRow(kq::ShortcutEntry& entry)
{
    const int row = InsertItem(GetItemCount(), entry.displayName, entry.image);
    if (row >= 0)
        SetItemData(row, reinterpret_cast<DWORD_PTR>(&entry));
}

void CShortcutListCtrl::ShowList(int list)
{
    if (list == m_shownList)
        return;
    m_shownList = list;
    DeleteAllItems();
    for (auto& entry : m_lists[list]) {
        if (kq::IsShownShortcut(entry->state))
            AppendRow(*entry);
    }
}

void CShortcutListCtrl::OnDropFiles(HDROP drop)
{
    const UINT count = m_prepared ? ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    for (UINT i = 0; i < count; ++i) {
        // The path's length first: no path is cut or overruns a buffer.
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::vector<char> buffer(length + 1, '\0');
        ::DragQueryFileA(drop, i, buffer.data(), length + 1);
        const std::string path(buffer.data());

        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA(path.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            ::FindClose(search);
            if (IsDotName(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                continue;
        }
        const std::optional<std::string> destination = kq::DropDestination(m_configFolder, m_shownList, path);
        if (!destination)
            continue; // the entry's path could not hold it
        std::string copied;
        if (CopyIntoFolder(path, *destination, copied))
            AddEntry(copied, true);
    }
    ::DragFinish(drop);
    Default();
}

bool CShortcutListCtrl::CopyIntoFolder(const std::string& source, const std::string& destination,
                                       std::string& copied)
{
    m_scratchPath = destination;
    KeepOriginalBytes(m_scratchPath);
    if (!::CopyFileA(source.c_str(), m_scratchPath.c_str(), FALSE)) {
        m_scratchPath = destination + kq::kShortcutExtension;
        KeepOriginalBytes(m_scratchPath);
        if (!::CopyFileA((source + kq::kShortcutExtension).c_str(), m_scratchPath.c_str(), FALSE))
            return false;
    }
    copied = m_scratchPath;
    return true;
}

bool CShortcutListCtrl::NamedByOriginal(const std::string& path) const
{
    for (const EntryList& list : m_lists) {
        for (const auto& entry : list) {
            const bool original =
                entry->state == kq::kShortcutOriginal || entry->state == kq::kShortcutOriginalRemoved;
            if (original && path == entry->path)
                return true;
        }
    }
    return false;
}

void CShortcutListCtrl::KeepOriginalBytes(const std::string& path)
{
    if (m_originalBytes.count(path) != 0 || !NamedByOriginal(path))
        return;
    bool read = false;
    std::string bytes = ReadWholeFile(path, read);
    if (read)
        m_originalBytes.emplace(path, std::move(bytes));
}

void CShortcutListCtrl::RestoreOriginalBytes()
{
    for (const auto& [path, bytes] : m_originalBytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

void CShortcutListCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    const int row = GetNextItem(-1, LVNI_SELECTED);
    if (key == VK_DELETE && row >= 0) {
        if (auto* entry = reinterpret_cast<kq::ShortcutEntry*>(GetItemData(row))) {
            entry->state =
                entry->state == kq::kShortcutAdded ? kq::kShortcutAddedRemoved : kq::kShortcutOriginalRemoved;
        }
        DeleteItem(row);
    }
    Default();
}

int CShortcutListCtrl::Commit(BOOL keep)
{
    auto items = [](const EntryList& list) {
        std::vector<kq::CommitItem> out;
        for (const auto& entry : list)
            out.push_back({entry->state, entry->path});
        return out;
    };
    const std::vector<std::string> doomed =
        kq::PathsToDelete(items(m_lists[kq::kDesktopList]), items(m_lists[kq::kProgramsList]), keep != FALSE);
    for (const std::string& path : doomed) {
        if (!::DeleteFileA(path.c_str()))
            ::DeleteFileA((path + kq::kShortcutExtension).c_str());
    }
    if (!keep)
        RestoreOriginalBytes();
    m_originalBytes.clear();
    return 1;
}
