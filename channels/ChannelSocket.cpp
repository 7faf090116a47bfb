#include "channels/ChannelSocket.h"

#include "channels/CastviewDlg.h"

#include <vector>

void CChannelSocket::OnReceive(int errorCode)
{
    if (errorCode != 0 || m_owner == nullptr)
        return;
    std::vector<uint8_t> data(kMaxDatagram);
    CString address;
    UINT port = 0;
    // The non-blocking receive: a notice without a datagram must not hold
    // the window's thread; a longer datagram fails and is dropped.
    const int length = CAsyncSocket::ReceiveFrom(data.data(), kMaxDatagram, address, port);
    if (length > 0)
        m_owner->OnDatagram(data.data(), static_cast<size_t>(length), static_cast<LPCSTR>(address));
}
