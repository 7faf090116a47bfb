#pragma once
// CLinkListDlg: the web addresses the teacher station publishes. It asks
// for them on the classroom group (main port + 10) at opening and on
// Refresh, lists the replies in arrival order without rows that differ only
// in case, and opens the chosen address through the shell. A reply can
// clear the list or close the dialog.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/Framework.h"
#include "framework/WinsockUse.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <cstdint>
#include <string>

class CLinkListDlg : public CSkinDialog {
public:
    static constexpr UINT kListId = 1013;
    static constexpr UINT kOpenId = 102;
    static constexpr UINT kCloseId = 103;
    static constexpr UINT kRefreshId = 1015;
    static constexpr UINT WM_LINK_SOCKET = 0x1790;
    static constexpr uint16_t kPortOffset = 10;

    CLinkListDlg();
    ~CLinkListDlg() override;

    // Set before showing.
    uint16_t m_mainPort = 0;
    uint32_t m_classroomGroup = 0; // network byte order

    // The rows, top to bottom.
    int RowCount() const;
    std::string RowText(int row) const;
    bool HasSocket() const { return m_socket != INVALID_SOCKET; }

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnOpenButton();
    afx_msg void OnCloseButton();
    afx_msg void OnRefresh();
    afx_msg LRESULT OnSocket(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool CreateControls();
    bool OpenSocket();
    void SendRequest();
    void AddRow(const std::string& address);
    void OpenSelected();
    void CloseSocket();

    CSkinButton m_open;
    CSkinButton m_close;
    CSkinButton m_refresh;
    CWnd m_list;
    CWinsockUse m_winsock; // started before the socket, ended after it
    SOCKET m_socket = INVALID_SOCKET;
};
