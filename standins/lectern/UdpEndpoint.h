#pragma once
// One UDP socket of the transport: bound to a port, optionally a member of
// the classroom group, sending to any address and receiving with a timeout.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace kq::lectern {

// Whether `address` (network order) is a multicast group (224.0.0.0/4).
inline bool IsMulticast(uint32_t address)
{
    constexpr uint8_t kFirstMulticast = 224;
    constexpr uint8_t kLastMulticast = 239;
    const uint8_t first = reinterpret_cast<const uint8_t*>(&address)[0];
    return first >= kFirstMulticast && first <= kLastMulticast;
}

class UdpEndpoint {
public:
    UdpEndpoint() = default;
    ~UdpEndpoint() { Close(); }
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    // Binds to `port` (host order) on any address. A non-zero `group`
    // (network order) is joined; `interfaceAddress` (network order, 0 = the
    // system's choice) carries the membership and the outgoing multicast.
    bool Open(uint16_t port, uint32_t group, uint32_t interfaceAddress);
    void Close();
    bool IsOpen() const { return socket_ != INVALID_SOCKET; }

    // Sends one datagram to address (network order) : port (host order).
    bool SendTo(uint32_t address, uint16_t port, const uint8_t* data, size_t size);

    enum class Received { Datagram, Timeout, Oversized, Error };
    // Waits up to timeoutMs for one datagram.
    Received Receive(uint8_t* buffer, size_t capacity, size_t* size, uint32_t* fromAddress, uint16_t* fromPort,
                     uint32_t timeoutMs);

    int lastError() const { return lastError_; }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int lastError_ = 0;
};

} // namespace kq::lectern
