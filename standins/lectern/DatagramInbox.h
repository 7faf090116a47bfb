#pragma once
// The receiving half of a transport's worker loop: waits for one datagram on
// the endpoint and decodes it. What fails the checks is counted, traced and
// dropped; a socket error is reported to the host window once per new error.

#include <atomic>
#include <cstdint>

#include "standins/lectern/UdpEndpoint.h"
#include "standins/lectern/Wire.h"

namespace kq::lectern {

class DatagramInbox {
public:
    explicit DatagramInbox(std::atomic<uint32_t>& dropped) : dropped_(dropped) {}

    // True with a decoded `datagram` from `address`:`port`; false after a
    // time-out, an error or a dropped datagram.
    bool Receive(UdpEndpoint& endpoint, HWND errorWindow, uint32_t waitMs, Datagram& datagram, uint32_t& address,
                 uint16_t& port);

private:
    std::atomic<uint32_t>& dropped_;
    int reportedError_ = 0;
    // One byte more than the largest datagram, so an oversized one shows.
    uint8_t buffer_[kMaxDatagramSize + 1];
};

} // namespace kq::lectern
