#include "standins/common/tests/RemoteList.h"

#include <commctrl.h>

namespace kq::standin {

RemoteList::RemoteList(HWND list) : m_list(list)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(list, &process);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (m_process != nullptr)
        m_remote =
            static_cast<char*>(::VirtualAllocEx(m_process, nullptr, kBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

RemoteList::~RemoteList()
{
    if (m_remote != nullptr)
        ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process != nullptr)
        ::CloseHandle(m_process);
}

int RemoteList::Count() const
{
    return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteList::Text(int row, int column) const
{
    if (m_remote == nullptr)
        return {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_remote + sizeof item;
    item.cchTextMax = static_cast<int>(kBytes - sizeof item);
    ::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(m_remote));
    char text[kBytes] = {};
    ::ReadProcessMemory(m_process, m_remote + sizeof item, text, kBytes - sizeof item - 1, nullptr);
    return text;
}

std::vector<std::string> RemoteList::Rows(int columns) const
{
    std::vector<std::string> rows;
    for (int row = 0; row < Count(); ++row) {
        std::string text;
        for (int column = 0; column < columns; ++column)
            text += (column == 0 ? "" : "=") + Text(row, column);
        rows.push_back(text);
    }
    return rows;
}

void RemoteList::Select(int row) const
{
    if (m_remote == nullptr)
        return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(m_remote));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(m_remote));
}

} // namespace kq::standin
