#pragma once
// The multicast receiver of file distribution: waits on its receive group
// for a sender's TransferOffer, pulls the offered file or folder over TCP
// into the folder the offer names, and reports the end.

#include "standins/kqtransmit/BackgroundTask.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

#include <atomic>
#include <cstdint>

namespace kq::transmit {

class TransferReceiver {
public:
    TransferReceiver() = default;
    ~TransferReceiver() { Close(); }

    int Open(uint32_t sendGroup, uint32_t receiveGroup, uint16_t port, HWND window);
    // Starts one receive; `location` (of `size` bytes) gets what was stored.
    int Receive(char* location, int size);
    void Close();

private:
    void Run(char* location, int size, const StopFlag& stop);
    bool WaitForOffer(TransferOffer& offer, uint32_t& sender, const StopFlag& stop);
    int Take(const TransferOffer& offer, uint32_t sender, char* location, int size, const StopFlag& stop);

    WinsockUse winsock_;
    SOCKET socket_ = INVALID_SOCKET;
    HWND window_ = nullptr;
    BackgroundTask task_;
    std::atomic<bool> receiving_{false}; // cleared before the end is posted
    uint32_t lastSession_ = 0; // an offer still repeated after it was taken
};

} // namespace kq::transmit
