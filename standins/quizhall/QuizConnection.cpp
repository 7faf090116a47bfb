#include "standins/quizhall/QuizConnection.h"

#include <vector>

namespace {
constexpr long kSendWaitSeconds = 5;
constexpr long kConnectWaitSeconds = 3;
constexpr int kReceiveChunk = 4096;

bool WaitWritable(SOCKET socket, long seconds)
{
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval timeout = {seconds, 0};
    return select(0, nullptr, &writable, &failed, &timeout) > 0 && FD_ISSET(socket, &writable);
}
} // namespace

bool StartWinsock()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

QuizConnection::~QuizConnection()
{
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
}

bool QuizConnection::Send(quiz::Kind kind, const std::string& payload)
{
    const std::vector<uint8_t> frame = quiz::Encode(kind, payload);
    size_t sent = 0;
    while (sent < frame.size()) {
        const int result = send(m_socket, reinterpret_cast<const char*>(frame.data() + sent),
            static_cast<int>(frame.size() - sent), 0);
        if (result > 0) {
            sent += static_cast<size_t>(result);
        } else if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitWritable(m_socket, kSendWaitSeconds)) {
            return false;
        }
    }
    return true;
}

bool QuizConnection::Receive()
{
    char buffer[kReceiveChunk];
    for (;;) {
        const int result = recv(m_socket, buffer, sizeof buffer, 0);
        if (result > 0) {
            m_reader.Feed(reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(result));
            continue;
        }
        return result < 0 && WSAGetLastError() == WSAEWOULDBLOCK;
    }
}

SOCKET QuizConnection::Connect(uint32_t address, uint16_t port)
{
    SOCKET link = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (link == INVALID_SOCKET)
        return INVALID_SOCKET;
    u_long nonBlocking = 1;
    ioctlsocket(link, FIONBIO, &nonBlocking);
    sockaddr_in teacher = {};
    teacher.sin_family = AF_INET;
    teacher.sin_port = htons(port);
    teacher.sin_addr.s_addr = address;
    const bool connected =
        connect(link, reinterpret_cast<sockaddr*>(&teacher), sizeof teacher) == 0
        || (WSAGetLastError() == WSAEWOULDBLOCK && WaitWritable(link, kConnectWaitSeconds));
    if (!connected) {
        closesocket(link);
        return INVALID_SOCKET;
    }
    return link;
}
