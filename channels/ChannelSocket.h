#pragma once
// CChannelSocket: the channel receiver's UDP sockets. The sending one asks
// the servers for announcements; the receiving one hands every datagram it
// reads, with its sender's dotted address, to the receiver's dialog.

#include "framework/Framework.h"

class CCastviewDlg;

class CChannelSocket : public CSocket {
public:
    // Datagrams longer than this are dropped.
    static constexpr int kMaxDatagram = 5120;

    CChannelSocket() = default;
    // A receiving socket: its datagrams go to `dialog`.
    void SetOwner(CCastviewDlg* dialog) { m_owner = dialog; }

    void OnReceive(int errorCode) override;

private:
    CCastviewDlg* m_owner = nullptr;
};
