#include "standins/lectern/DatagramInbox.h"

#include "common/LecternMessages.h"
#include "standins/common/Trace.h"
#include "standins/lectern/Install.h"

namespace kq::lectern {

namespace {

constexpr char kModule[] = "Lectern";
constexpr DWORD kErrorPauseMs = 50; // a failing socket is not polled flat out

} // namespace

bool DatagramInbox::Receive(UdpEndpoint& endpoint, HWND errorWindow, uint32_t waitMs, Datagram& datagram,
                            uint32_t& address, uint16_t& port)
{
    size_t size = 0;
    address = 0;
    port = 0;
    const auto received = endpoint.Receive(buffer_, sizeof buffer_, &size, &address, &port, waitMs);
    if (received == UdpEndpoint::Received::Timeout)
        return false;
    if (received == UdpEndpoint::Received::Error) {
        if (endpoint.lastError() != reportedError_) {
            reportedError_ = endpoint.lastError();
            PostMessageA(errorWindow, WM_LECTERN_ERROR, kLecternErrorReport, reportedError_);
        }
        Sleep(kErrorPauseMs);
        return false;
    }
    const DecodeStatus status = received == UdpEndpoint::Received::Oversized ? DecodeStatus::BadLength
                                                                             : Decode(buffer_, size, &datagram);
    if (status != DecodeStatus::Ok) {
        ++dropped_;
        Trace(kModule, "dropped a datagram from %s: %s", Dotted(address).c_str(), DescribeStatus(status));
        return false;
    }
    return true;
}

} // namespace kq::lectern
