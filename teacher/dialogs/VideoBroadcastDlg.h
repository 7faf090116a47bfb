#pragma once
// CVideoBroadcastDlg: the teacher's window onto the video channels of the
// classroom. It lists the channels that the channel server on this PC
// announces on the classroom group, adds and removes channels (starting the
// server when it is not running), plays and stops them, opens one in the
// teacher's own player, and points the opener's target seats at a channel
// with the channel command (code 16 and the channel's name).
//
// Mode 0 manages the channels; mode 1 only shows the selected channel to
// the students. The opener sets the six inputs before DoModal, which
// always returns IDOK; the channel list, the server process and the command
// block are the opener's and outlive the dialog.

#include "widgets/SkinDialog.h"

#include "common/CommandBlock.h"
#include "common/MulticastSocket.h"
#include "framework/ListCtrl.h"
#include "teacher/VideoChannelList.h"

#include <string>

class CVideoBroadcastDlg : public CSkinDialog {
public:
    CVideoBroadcastDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);
    ~CVideoBroadcastDlg() override;

    static constexpr int kManageMode = 0;
    static constexpr int kShowMode = 1;

    // The classroom's number: the ports are 8600 and 8601 plus it.
    void SetClassroom(int classroom) { m_classroom = classroom; }
    void SetMode(int mode) { m_mode = mode; }
    void SetChannelList(kq::VideoChannelList* channels) { m_channels = channels; }
    // Receives the handles of a channel server the dialog starts.
    void SetServerProcess(PROCESS_INFORMATION* process) { m_serverProcess = process; }
    // Prepared by the opener: the channel command's code, flag and targets.
    // The dialog works on a copy taken when it opens, and leaves the block
    // as it sent it last.
    void SetCommandBlock(kq::CommandBlockWithTail* block) { m_command = block; }
    // The classroom group, network byte order.
    void SetGroupAddress(uint32_t group) { m_group = group; }

    BOOL OnInitDialog() override;
    // Closes each socket that is open.
    virtual void CloseSockets();

    static constexpr UINT kListId = 717;
    static constexpr UINT kPlayId = 713;
    static constexpr UINT kStopId = 715;
    static constexpr UINT kAddId = 707;
    static constexpr UINT kRemoveId = 711;
    static constexpr UINT kRefreshId = 714;
    static constexpr UINT kCloseId = 710;
    static constexpr UINT kShowId = 866;
    static constexpr UINT kSocketMessage = WM_USER + 1;
    static constexpr const char* kServerTitle = "“晨星”视频广播服务器";

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnClose();
    afx_msg void OnListDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnPlay();
    afx_msg void OnStop();
    afx_msg void OnAddChannel();
    afx_msg void OnRemoveChannel();
    afx_msg void OnRefresh();
    afx_msg void OnShowToSeats();
    afx_msg LRESULT OnSocketRead(WPARAM wParam, LPARAM lParam);

private:
    void CreateButtons();
    void CreateList();
    bool OpenSockets();
    void ReadAnnouncement(const uint8_t* data, size_t length, const sockaddr_in& from);
    void ReadWithdrawal(const uint8_t* data, size_t length);
    // The row whose channel name equals `name` but for case, or -1.
    int FindRow(const std::string& name) const;
    // The selected row; -1, after warning 57526, when there is none.
    int SelectedRowOrWarn() const;
    bool RowIsStopped(int row) const;
    // The player command `command` for the channel of `row`.
    void SendPlayerCommand(int row, const char* command);
    // Code 16 with the row's channel name to the prepared targets.
    void NotifySeats(int row);
    void ShowWaitBox();
    // Starts the server unless its window exists; false when it cannot.
    bool StartServer();
    void SendChannelCommand(uint8_t kind, const char* name, const char* file);
    kq::VideoChannelList& Channels() { return m_channels != nullptr ? *m_channels : m_noChannels; }

    // Inputs.
    int m_classroom = -1;
    int m_mode = kManageMode;
    kq::VideoChannelList* m_channels = nullptr;
    PROCESS_INFORMATION* m_serverProcess = nullptr;
    kq::CommandBlockWithTail* m_command = nullptr;
    uint32_t m_group = 0;

    kq::CommandBlockWithTail m_prepared{}; // the opener's block as the dialog opened
    kq::VideoChannelList m_noChannels;     // stands in when the opener gave none
    CMulticastSocket m_commandSocket;      // to the server's command port
    CMulticastSocket m_announceSocket;     // its announcements, our queries
    STARTUPINFOA m_serverStartup{};
    CListCtrl m_list;
    CBitmapButton m_buttons[7];
};
