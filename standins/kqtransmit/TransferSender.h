#pragma once
// The multicast sender of file distribution. While a send runs it repeats a
// TransferOffer on its first group; every receiver that takes the offer pulls
// the file or folder over TCP. The send ends when the expected number of
// receivers has stored it (the whole class: when no receiver has come for a
// while after the first), or fails when nobody comes in time.

#include "standins/kqtransmit/BackgroundTask.h"
#include "standins/kqtransmit/TcpServer.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace kq::transmit {

class TransferSender {
public:
    TransferSender() = default;
    ~TransferSender() { Close(); }

    int Open(uint32_t firstGroup, uint32_t secondGroup, uint16_t port, HWND window);
    int Send(const std::string& source, const std::string& receivingFolder, bool folder, uint16_t targets);
    int Cancel();
    void Close();

private:
    void Run(const StopFlag& stop);
    void Serve(TcpLink& link, const StopFlag& stop);
    void SendOffer();
    void PublishProgress();
    bool Finished(DWORD now, int& result) const;

    WinsockUse winsock_;
    SOCKET offerSocket_ = INVALID_SOCKET;
    sockaddr_in offerTarget_{};
    HWND window_ = nullptr;
    TcpServer server_;
    BackgroundTask controller_;

    // The running send.
    TreeListing listing_;
    TransferOffer offer_{};
    std::atomic<uint32_t> session_{0}; // the offer's session while connections are taken
    std::atomic<bool> complete_{false};
    std::atomic<bool> sending_{false}; // cleared before the end is posted
    uint16_t targets_ = 0;
    std::atomic<int> stored_{0};
    std::atomic<int> started_{0};
    std::atomic<uint64_t> delivered_{0};
    std::atomic<DWORD> lastActivity_{0};
};

} // namespace kq::transmit
