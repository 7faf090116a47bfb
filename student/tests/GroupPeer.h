#pragma once
// A test peer on a multicast group: it receives what the dialog under test
// sends and sends it datagrams, as a teacher or another student would.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace studenttest {

class GroupPeer {
public:
    GroupPeer(const char* group, uint16_t port);
    ~GroupPeer();
    bool Ok() const { return m_socket != INVALID_SOCKET; }
    uint32_t Group() const { return m_group.sin_addr.s_addr; }

    void Send(const std::string& bytes);
    // The next datagram, waiting while pumping messages; false when none
    // came within `timeoutMs`.
    bool Receive(std::string& bytes, DWORD timeoutMs);
    // Drops whatever has arrived.
    void Drain();

private:
    SOCKET m_socket = INVALID_SOCKET;
    sockaddr_in m_group = {};
};

} // namespace studenttest
