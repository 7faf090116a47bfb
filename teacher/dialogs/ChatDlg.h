#pragma once
// CChatDlg: the teacher's typed conversation with one student. Lines travel
// as talk records on the classroom group at the main port + 11; every open
// talk window hears every record. A line shows in the history only when it
// comes back from the group, the teacher's own included. Closing sends the
// teacher's end record eight times.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/MulticastSocket.h"
#include "widgets/ReadOnlyEdit.h"
#include "widgets/SkinDialog.h"

#include <cstdint>

class CChatDlg : public CSkinDialog {
public:
    CChatDlg();

    // Set by the opener before DoModal.
    uint32_t m_group = 0; // classroom group, network byte order
    uint16_t m_port = 0;  // main port + 11, host byte order

    // The prefixed line most recently built for sending.
    CString m_lastLine;

    BOOL OnInitDialog() override;
    bool HasSocket() const { return m_socketOpen; }

    // The window's name, for finding it: the skin shows no caption.
    static constexpr char kTitle[] = "Chat";
    static constexpr UINT kHistoryId = 702;
    static constexpr UINT kInputId = 703;
    static constexpr UINT kSendId = 704;
    static constexpr UINT kCloseId = 705;
    static constexpr UINT WM_CHAT_IDLE = WM_USER + 1;
    static constexpr UINT WM_CHAT_SOCKET = WM_USER + 2;
    // What the teacher may type, and what of it leaves: bytes.
    static constexpr int kInputLimit = 180;
    static constexpr int kEndRecords = 8;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSend();
    afx_msg void OnCloseClicked();
    afx_msg void OnClose();
    afx_msg LRESULT OnIdleNotice(WPARAM, LPARAM);
    afx_msg LRESULT OnSocketRead(WPARAM, LPARAM);

private:
    bool OpenSocket();
    // Sends the end records and closes the socket; a second call finds the
    // socket closed and does nothing.
    void EndChat();

    CMulticastSocket m_socket;
    bool m_socketOpen = false;
    // The student's end notice has been shown: its repeats show nothing.
    bool m_studentEndShown = false;
    CReadOnlyEdit m_history;
    CEdit m_input;
    CBitmapButton m_close;
    CBitmapButton m_send;
};
