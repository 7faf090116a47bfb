#include "common/MulticastSocket.h"

#include "common/GroupMembership.h"

namespace {

constexpr uint16_t kLowestPort = 1024;
// The multicast groups a socket of ours may use: 224.0.0.x is the local
// network control block.
constexpr uint32_t kFirstGroup = 0xE0000100; // 224.0.1.0, host order
constexpr uint32_t kLastGroup = 0xEFFFFFFF;  // 239.255.255.255
constexpr uint32_t kBroadcastGroup = 0;
constexpr DWORD kWouldBlockPauseMs = 1;

bool ValidEndpoint(uint32_t group, uint16_t port, int timeToLive)
{
    const uint32_t hostGroup = ntohl(group);
    const bool groupOk = hostGroup == kBroadcastGroup || (hostGroup >= kFirstGroup && hostGroup <= kLastGroup);
    return groupOk && ntohs(port) >= kLowestPort && timeToLive != 0;
}

// An interface text as an address: inet_addr of the text, any address for
// none.
uint32_t InterfaceOf(const char* text)
{
    return text != nullptr ? inet_addr(text) : htonl(INADDR_ANY);
}

bool SetIntOption(SOCKET s, int level, int name, int value)
{
    return setsockopt(s, level, name, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

} // namespace

void CMulticastSocket::Fail(int error)
{
    m_lastError = error;
}

int CMulticastSocket::Create(uint32_t group, uint16_t port, const char* localInterface, int timeToLive)
{
    if (!ValidEndpoint(group, port, timeToLive) || m_socket != INVALID_SOCKET)
        return 0;

    if (const int result = m_winsock.Start(); result != 0) {
        Fail(result);
        return 0;
    }

    m_socket = WSASocketA(AF_INET, SOCK_DGRAM, 0, nullptr, 0,
                          WSA_FLAG_OVERLAPPED | WSA_FLAG_MULTIPOINT_C_LEAF | WSA_FLAG_MULTIPOINT_D_LEAF);
    if (m_socket == INVALID_SOCKET) {
        Fail(WSAGetLastError());
        CloseSocket();
        return 0;
    }
    u_long nonBlocking = 1;
    ioctlsocket(m_socket, FIONBIO, &nonBlocking);

    m_localAddress = sockaddr_in{};
    m_localAddress.sin_family = AF_INET;
    m_localAddress.sin_port = port;
    m_localAddress.sin_addr.s_addr = InterfaceOf(localInterface);

    m_groupAddress = sockaddr_in{};
    m_groupAddress.sin_family = AF_INET;
    m_groupAddress.sin_port = port;

    bool ok = kq::BindShared(m_socket, m_localAddress.sin_port, m_localAddress.sin_addr.s_addr);
    if (ok && group != kBroadcastGroup) {
        m_groupAddress.sin_addr.s_addr = group;
        ok = SetIntOption(m_socket, IPPROTO_IP, IP_MULTICAST_TTL, timeToLive);
    } else if (ok) {
        m_groupAddress.sin_addr.s_addr = htonl(INADDR_BROADCAST);
        ok = SetIntOption(m_socket, SOL_SOCKET, SO_BROADCAST, 1) &&
             SetIntOption(m_socket, IPPROTO_IP, IP_TTL, timeToLive);
    }
    if (!ok) {
        Fail(WSAGetLastError());
        CloseSocket();
        return 0;
    }
    return 1;
}

int CMulticastSocket::JoinGroup(const char* localInterface, int receive)
{
    if (m_socket == INVALID_SOCKET) {
        Fail(WSAENOTSOCK);
        return 0;
    }
    // Joining for reception is a membership of the group on the interface;
    // a broadcast socket and a send-only member need none.
    const bool isGroup = m_groupAddress.sin_addr.s_addr != htonl(INADDR_BROADCAST);
    if (receive != 0 && isGroup &&
        !kq::JoinGroupOn(m_socket, m_groupAddress.sin_addr.s_addr, InterfaceOf(localInterface))) {
        Fail(WSAGetLastError());
        return 0;
    }
    m_leaf = m_socket;
    if (localInterface != nullptr)
        kq::SendThrough(m_socket, InterfaceOf(localInterface));
    return 1;
}

int CMulticastSocket::SendTo(const void* buffer, int length, DWORD* sent, int attempts)
{
    if (attempts <= 0)
        return 0;
    WSABUF piece{static_cast<ULONG>(length), static_cast<CHAR*>(const_cast<void*>(buffer))};
    int error = WSAEWOULDBLOCK;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        DWORD count = 0;
        if (WSASendTo(m_socket, &piece, 1, &count, 0, reinterpret_cast<const sockaddr*>(&m_groupAddress),
                      sizeof m_groupAddress, nullptr, nullptr) == 0) {
            if (sent != nullptr)
                *sent = count;
            return 1;
        }
        error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            break;
        Sleep(kWouldBlockPauseMs);
    }
    Fail(error);
    return 0;
}

void CMulticastSocket::SendCopies(const void* buffer, int length, int copies, int attempts, DWORD pauseMs)
{
    for (int i = 0; i < copies; ++i) {
        DWORD sent = 0;
        SendTo(buffer, length, &sent, attempts);
        if (i + 1 < copies)
            Sleep(pauseMs);
    }
}

int CMulticastSocket::RecvFrom(void* buffer, int length, DWORD* received)
{
    WSABUF piece{static_cast<ULONG>(length), static_cast<CHAR*>(buffer)};
    DWORD count = 0;
    DWORD flags = 0;
    int fromLength = sizeof m_fromAddress;
    if (WSARecvFrom(m_socket, &piece, 1, &count, &flags, reinterpret_cast<sockaddr*>(&m_fromAddress), &fromLength,
                    nullptr, nullptr) != 0) {
        Fail(WSAGetLastError());
        return 0;
    }
    if (received != nullptr)
        *received = count;
    return 1;
}

int CMulticastSocket::AsyncSelect(HWND window, UINT message, long events)
{
    if (!IsWindow(window) || m_socket == INVALID_SOCKET)
        return 0;
    if (WSAAsyncSelect(m_socket, window, message, events) != 0) {
        Fail(WSAGetLastError());
        return 0;
    }
    return 1;
}

int CMulticastSocket::CloseSocket()
{
    if (m_socket != INVALID_SOCKET) {
        if (closesocket(m_socket) != 0) {
            Fail(WSAGetLastError());
            return 0;
        }
        m_socket = INVALID_SOCKET;
        m_leaf = INVALID_SOCKET;
    }
    m_winsock.Stop();
    return 1;
}
