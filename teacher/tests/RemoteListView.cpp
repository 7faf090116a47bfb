#include "teacher/tests/RemoteListView.h"

#include <commctrl.h>

namespace kqtest {

namespace {

// Where the records lie in the remote page.
constexpr SIZE_T kPageSize = 4096;
constexpr SIZE_T kItemOffset = 0;
constexpr SIZE_T kRectOffset = 512;
constexpr SIZE_T kTextOffset = 1024;
constexpr int kTextRoom = static_cast<int>(kPageSize - kTextOffset);

} // namespace

RemoteListView::RemoteListView(HWND list) : m_list(list)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(list, &processId);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process != nullptr)
        m_page = static_cast<char*>(::VirtualAllocEx(m_process, nullptr, kPageSize, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView()
{
    if (m_page != nullptr)
        ::VirtualFreeEx(m_process, m_page, 0, MEM_RELEASE);
    if (m_process != nullptr)
        ::CloseHandle(m_process);
}

int RemoteListView::Count() const
{
    return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteListView::Text(int row, int column) const
{
    if (m_page == nullptr)
        return {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_page + kTextOffset;
    item.cchTextMax = kTextRoom;
    const char nothing = '\0';
    ::WriteProcessMemory(m_process, m_page + kTextOffset, &nothing, 1, nullptr);
    ::WriteProcessMemory(m_process, m_page + kItemOffset, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(m_page + kItemOffset));
    std::vector<char> text(kTextRoom + 1, '\0');
    ::ReadProcessMemory(m_process, m_page + kTextOffset, text.data(), kTextRoom, nullptr);
    return text.data();
}

std::vector<std::vector<std::string>> RemoteListView::Rows(int columns) const
{
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < Count(); ++row) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            rows.back().push_back(Text(row, column));
    }
    return rows;
}

int RemoteListView::Find(const std::string& name) const
{
    for (int row = 0; row < Count(); ++row) {
        if (Text(row, 0) == name)
            return row;
    }
    return -1;
}

int RemoteListView::Selected() const
{
    return static_cast<int>(::SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void RemoteListView::Select(int row)
{
    if (m_page == nullptr)
        return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::WriteProcessMemory(m_process, m_page + kItemOffset, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(m_page + kItemOffset));
}

void RemoteListView::DoubleClick(int row)
{
    if (m_page == nullptr)
        return;
    RECT rect = {LVIR_LABEL, 0, 0, 0};
    ::WriteProcessMemory(m_process, m_page + kRectOffset, &rect, sizeof rect, nullptr);
    ::SendMessageA(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_page + kRectOffset));
    ::ReadProcessMemory(m_process, m_page + kRectOffset, &rect, sizeof rect, nullptr);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::PostMessageA(m_list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageA(m_list, WM_LBUTTONUP, 0, at);
}

} // namespace kqtest
