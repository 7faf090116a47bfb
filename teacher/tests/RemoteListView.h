#pragma once
// A list-view control of another process, read and driven from a test: its
// requests carry pointers, so their records live in a page of the list's
// own process.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>
#include <vector>

namespace kqtest {

class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    bool Usable() const { return m_page != nullptr; }
    int Count() const;
    std::string Text(int row, int column) const;
    // The texts of the first `columns` columns of every row.
    std::vector<std::vector<std::string>> Rows(int columns) const;
    // The first row whose first column reads `name`, or -1.
    int Find(const std::string& name) const;
    int Selected() const;
    void Select(int row);
    // A double click on the row, as the mouse gives it (posted).
    void DoubleClick(int row);

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_page = nullptr; // in the list's process
};

} // namespace kqtest
