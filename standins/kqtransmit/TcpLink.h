#pragma once
// One TCP connection of the transfer library. Every wait is cut into short
// slices so that a stop request ends it at once, and a peer that stays silent
// for kIdleTimeoutMs ends it too.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace kq::transmit {

using StopFlag = std::atomic<bool>;

inline constexpr DWORD kIdleTimeoutMs = 30000;

class TcpLink {
public:
    TcpLink() = default;
    explicit TcpLink(SOCKET socket);
    ~TcpLink();
    TcpLink(TcpLink&& other) noexcept;
    TcpLink& operator=(TcpLink&& other) noexcept;
    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    // Connects to address (network order) and port (host order), trying
    // again until `patienceMs` has passed; an invalid link on failure.
    static TcpLink Connect(uint32_t address, uint16_t port, DWORD patienceMs, const StopFlag& stop);

    bool Valid() const { return socket_ != INVALID_SOCKET; }
    bool SendAll(const void* data, size_t size, const StopFlag& stop);
    bool ReceiveAll(void* data, size_t size, const StopFlag& stop);
    void Close();

private:
    bool WaitReady(bool forWriting, const StopFlag& stop);

    SOCKET socket_ = INVALID_SOCKET;
};

// Puts a socket into non-blocking mode (all sockets of the library are).
bool MakeNonBlocking(SOCKET socket);

// Waits up to `sliceMs` for the socket to become readable.
bool WaitReadable(SOCKET socket, DWORD sliceMs);

// Windows Sockets 2.2 for as long as the object lives.
class WinsockUse {
public:
    WinsockUse();
    ~WinsockUse();
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

} // namespace kq::transmit
