#include "standins/kqtransmit/TcpLink.h"

#include <utility>

namespace kq::transmit {

namespace {

constexpr DWORD kSliceMs = 100;
constexpr DWORD kRetryPauseMs = 250;
constexpr int kMaxChunk = 64 * 1024;

bool WaitFor(SOCKET socket, bool forWriting, DWORD sliceMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    fd_set errors;
    FD_ZERO(&errors);
    FD_SET(socket, &errors);
    timeval wait{static_cast<long>(sliceMs / 1000), static_cast<long>((sliceMs % 1000) * 1000)};
    const int ready = select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, &errors, &wait);
    return ready > 0;
}

// One connection attempt, bounded by `patienceMs`.
SOCKET TryConnect(const sockaddr_in& to, DWORD patienceMs, const StopFlag& stop)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET || !MakeNonBlocking(s)) {
        if (s != INVALID_SOCKET)
            closesocket(s);
        return INVALID_SOCKET;
    }
    if (connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    const DWORD start = GetTickCount();
    while (!stop && GetTickCount() - start < patienceMs) {
        if (!WaitFor(s, true, kSliceMs))
            continue;
        int error = 0;
        int length = sizeof error;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        if (error == 0)
            return s;
        break;
    }
    closesocket(s);
    return INVALID_SOCKET;
}

} // namespace

bool MakeNonBlocking(SOCKET socket)
{
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

bool WaitReadable(SOCKET socket, DWORD sliceMs)
{
    return WaitFor(socket, false, sliceMs);
}

TcpLink::TcpLink(SOCKET socket) : socket_(socket)
{
    if (Valid())
        MakeNonBlocking(socket_);
}

TcpLink::~TcpLink()
{
    Close();
}

TcpLink::TcpLink(TcpLink&& other) noexcept : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}

TcpLink& TcpLink::operator=(TcpLink&& other) noexcept
{
    if (this != &other) {
        Close();
        socket_ = std::exchange(other.socket_, INVALID_SOCKET);
    }
    return *this;
}

void TcpLink::Close()
{
    if (Valid()) {
        shutdown(socket_, SD_BOTH);
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

TcpLink TcpLink::Connect(uint32_t address, uint16_t port, DWORD patienceMs, const StopFlag& stop)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    const DWORD start = GetTickCount();
    while (!stop) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= patienceMs)
            break;
        SOCKET s = TryConnect(to, patienceMs - spent, stop);
        if (s != INVALID_SOCKET)
            return TcpLink(s);
        Sleep(kRetryPauseMs); // the server may not listen yet
    }
    return TcpLink();
}

bool TcpLink::WaitReady(bool forWriting, const StopFlag& stop)
{
    const DWORD start = GetTickCount();
    while (!stop && GetTickCount() - start < kIdleTimeoutMs) {
        if (WaitFor(socket_, forWriting, kSliceMs))
            return true;
    }
    return false;
}

bool TcpLink::SendAll(const void* data, size_t size, const StopFlag& stop)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0 && Valid()) {
        if (!WaitReady(true, stop))
            return false;
        const int chunk = static_cast<int>(size < kMaxChunk ? size : kMaxChunk);
        const int sent = send(socket_, bytes, chunk, 0);
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEWOULDBLOCK)
                continue;
            return false;
        }
        bytes += sent;
        size -= static_cast<size_t>(sent);
    }
    return size == 0;
}

bool TcpLink::ReceiveAll(void* data, size_t size, const StopFlag& stop)
{
    char* bytes = static_cast<char*>(data);
    while (size > 0 && Valid()) {
        if (!WaitReady(false, stop))
            return false;
        const int chunk = static_cast<int>(size < kMaxChunk ? size : kMaxChunk);
        const int got = recv(socket_, bytes, chunk, 0);
        if (got == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEWOULDBLOCK)
                continue;
            return false;
        }
        if (got == 0)
            return false; // the peer closed early
        bytes += got;
        size -= static_cast<size_t>(got);
    }
    return size == 0;
}

WinsockUse::WinsockUse()
{
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockUse::~WinsockUse()
{
    if (ok_)
        WSACleanup();
}

} // namespace kq::transmit
