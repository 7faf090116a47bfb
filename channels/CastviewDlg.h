#pragma once
// CCastviewDlg: the channel receiver's window. It lists the channels the
// servers announce, hands the chosen one to the player and tells the
// teacher's seat map which channel this seat watches. Started with a seat
// and a channel name it stays hidden and does so by itself as soon as that
// channel is announced.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "channels/CastviewSettings.h"
#include "channels/ChannelList.h"
#include "channels/ChannelSocket.h"
#include "framework/Framework.h"
#include "framework/ListCtrl.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <string>

class CCastviewDlg : public CSkinDialog, private kq::ChannelRows {
public:
    static constexpr UINT kTemplate = 134;
    static constexpr UINT kListId = 10;
    static constexpr UINT kPlayId = IDOK;
    static constexpr UINT kRefreshId = IDCANCEL;
    static constexpr UINT kRefreshTimer = 2;

    // `commandLine`: "<seat> <name>" for an automatic start, else empty.
    explicit CCastviewDlg(const char* commandLine);
    ~CCastviewDlg() override;

    BOOL OnInitDialog() override;

    // Every datagram of 1 to 5,120 bytes the receiving socket reads.
    void OnDatagram(const uint8_t* data, size_t length, const std::string& server);

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* position);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnClose();
    afx_msg void OnDblClk(NMHDR* header, LRESULT* result);
    // Enter and the play button play; Esc and the refresh button refresh.
    void OnOK() override;
    void OnCancel() override;

private:
    void OnPlay();
    void Refresh();
    bool Automatic() const { return !m_channelName.empty(); }
    void ReadSettings();
    bool OpenNoticeSocket();
    void CreateList();
    void OpenChannelSockets();
    void AutoStart(const kq::ChannelInfo& announced);
    void StartPlayer(const kq::ChannelInfo& channel);
    void SendJoinNotice(uint32_t channelValue, bool joined);

    // The rows of the list control.
    int RowCount() const override;
    const kq::ChannelInfo* RowRecord(int row) const override;
    std::string RowName(int row) const override;
    void AppendRow(const kq::ChannelInfo& record) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    void SendQuery() override;

    std::string m_commandLine;
    kq::CastviewNetwork m_network;
    bool m_systemDriveFixed = true;
    CListCtrl m_list;
    HICON m_icon = nullptr;
    SOCKET m_noticeSocket = INVALID_SOCKET;
    sockaddr_in m_noticeAddress = {};
    std::string m_channelName;
    int m_seat = 0;
    bool m_started = false;
    CChannelSocket m_receiver;
    CChannelSocket m_sender;
    kq::ChannelList m_channels;
    CSkinButton m_play;
    CSkinButton m_refresh;
};
