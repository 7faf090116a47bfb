#include "student/tests/GroupPeer.h"

#include "widgets/tests/WidgetTestSupport.h"

#include <vector>

namespace studenttest {

namespace {

constexpr int kLargestDatagram = 2048;
constexpr DWORD kSliceMs = 10;

} // namespace

GroupPeer::GroupPeer(const char* group, uint16_t port)
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    m_socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    BOOL reuse = TRUE;
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    m_group = local;
    m_group.sin_addr.s_addr = ::inet_addr(group);
    ip_mreq join = {};
    join.imr_multiaddr = m_group.sin_addr;
    u_long nonBlocking = 1;
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::setsockopt(m_socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join), sizeof join) != 0 ||
        ::ioctlsocket(m_socket, FIONBIO, &nonBlocking) != 0) {
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}

GroupPeer::~GroupPeer()
{
    if (m_socket != INVALID_SOCKET)
        ::closesocket(m_socket);
    ::WSACleanup();
}

void GroupPeer::Send(const std::string& bytes)
{
    ::sendto(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<const sockaddr*>(&m_group),
             sizeof m_group);
}

bool GroupPeer::Receive(std::string& bytes, DWORD timeoutMs)
{
    std::vector<char> buffer(kLargestDatagram);
    int length = -1;
    kqtest::PumpUntil(
        [&] {
            length = ::recv(m_socket, buffer.data(), static_cast<int>(buffer.size()), 0);
            if (length < 0)
                ::Sleep(kSliceMs);
            return length >= 0;
        },
        timeoutMs);
    if (length < 0)
        return false;
    bytes.assign(buffer.data(), static_cast<size_t>(length));
    return true;
}

void GroupPeer::Drain()
{
    std::vector<char> buffer(kLargestDatagram);
    while (::recv(m_socket, buffer.data(), static_cast<int>(buffer.size()), 0) >= 0) {
    }
}

} // namespace studenttest
