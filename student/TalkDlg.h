#pragma once
// CTalkDlg: the talk with the teacher on the classroom group (main port +
// 11). Typed lines go out as talk records; every line that comes back over
// the group, the student's own included, is added to the conversation. The
// teacher's end record closes the window; closing sends the student's end
// notice seven times.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/MulticastSocket.h"
#include "framework/Framework.h"
#include "widgets/ReadOnlyEdit.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <cstdint>

class CTalkDlg : public CSkinDialog {
public:
    static constexpr UINT kConversationId = 1008;
    static constexpr UINT kInputId = 1009;
    static constexpr UINT kSendId = 1010;
    static constexpr UINT kCloseId = 103;
    static constexpr UINT WM_TALK_SOCKET = 0x1792;
    static constexpr int kInputMaxChars = 178;
    static constexpr int kEndNotices = 7;

    CTalkDlg();

    // Set before showing.
    uint32_t m_classroomGroup = 0; // network byte order
    uint16_t m_port = 0;           // main port + 11
    LPARAM m_argument = 0;         // the command's value; unused

    // Every line received so far.
    CString m_conversation;
    bool HasSocket() const { return m_socketOpen; }

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnSendButton();
    afx_msg void OnCloseButton();
    afx_msg LRESULT OnSocket(WPARAM wParam, LPARAM lParam);

private:
    bool OpenSocket();
    void SendLine();
    // Sends the end notices and closes the socket; only the first call
    // reaches the network.
    void EndTalk();

    CEdit m_input;
    CSkinButton m_send;
    CSkinButton m_close;
    CReadOnlyEdit m_view;
    CMulticastSocket m_socket;
    bool m_socketOpen = false;
};
