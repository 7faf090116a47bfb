#pragma once
// A list view of another process, for tests that drive a program from
// outside: its texts read and its selection set through memory lent to
// that process (the list's messages carry pointers, which do not cross).

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>
#include <vector>

namespace kq::standin {

class RemoteList {
public:
    explicit RemoteList(HWND list);
    ~RemoteList();
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;

    HWND Handle() const { return m_list; }
    int Count() const;
    std::string Text(int row, int column) const;
    // The texts of `columns` columns per row, joined with "=".
    std::vector<std::string> Rows(int columns) const;
    // Selects and focuses `row` alone.
    void Select(int row) const;

private:
    static constexpr size_t kBytes = 1024;
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr;
};

} // namespace kq::standin
