#include "standins/lectern/UdpEndpoint.h"

namespace kq::lectern {

namespace {
constexpr DWORD kMulticastTtl = 1; // the classroom is one network
}

bool UdpEndpoint::Open(uint16_t port, uint32_t group, uint32_t interfaceAddress)
{
    Close();
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) {
        lastError_ = WSAGetLastError();
        return false;
    }
    const BOOL on = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    bool ok = bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
    if (ok && group != 0) {
        ip_mreq join = {};
        join.imr_multiaddr.s_addr = group;
        join.imr_interface.s_addr = interfaceAddress;
        ok = setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join),
                        sizeof join) == 0;
    }
    if (ok) {
        setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&kMulticastTtl),
                   sizeof kMulticastTtl);
        if (interfaceAddress != 0) {
            in_addr outgoing = {};
            outgoing.s_addr = interfaceAddress;
            setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&outgoing),
                       sizeof outgoing);
        }
    }
    if (!ok) {
        lastError_ = WSAGetLastError();
        Close();
    }
    return ok;
}

void UdpEndpoint::Close()
{
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

bool UdpEndpoint::SendTo(uint32_t address, uint16_t port, const uint8_t* data, size_t size)
{
    if (socket_ == INVALID_SOCKET)
        return false;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    const int sent = sendto(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent != static_cast<int>(size)) {
        lastError_ = WSAGetLastError();
        return false;
    }
    return true;
}

UdpEndpoint::Received UdpEndpoint::Receive(uint8_t* buffer, size_t capacity, size_t* size, uint32_t* fromAddress,
                                           uint16_t* fromPort, uint32_t timeoutMs)
{
    if (socket_ == INVALID_SOCKET)
        return Received::Error;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait = {static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0)
        return Received::Timeout;
    if (ready < 0) {
        lastError_ = WSAGetLastError();
        return Received::Error;
    }
    sockaddr_in from = {};
    int fromSize = sizeof from;
    const int n = recvfrom(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0,
                           reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n < 0) {
        const int error = WSAGetLastError();
        if (error == WSAEMSGSIZE)
            return Received::Oversized;
        // An unreachable peer reported by ICMP is not the socket's failure.
        if (error == WSAECONNRESET || error == WSAENETRESET)
            return Received::Timeout;
        lastError_ = error;
        return Received::Error;
    }
    *size = static_cast<size_t>(n);
    *fromAddress = from.sin_addr.s_addr;
    *fromPort = ntohs(from.sin_port);
    return Received::Datagram;
}

} // namespace kq::lectern
