#pragma once
// A TCP listener that serves every connection on a thread of its own with
// the same handler, until it is stopped.

#include "standins/kqtransmit/BackgroundTask.h"
#include "standins/kqtransmit/TcpLink.h"

#include <cstdint>
#include <functional>
#include <list>
#include <thread>

namespace kq::transmit {

class TcpServer {
public:
    using Handler = std::function<void(TcpLink& link, uint32_t peerAddress, const StopFlag& stop)>;

    TcpServer() = default;
    ~TcpServer() { Stop(); }
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Listens on `port` (host order; 0 picks a free one). False when the
    // port cannot be had.
    bool Start(uint16_t port, Handler handler);
    // Closes the listener and waits for the connections being served.
    void Stop();
    bool Running() const { return listener_ != INVALID_SOCKET; }
    uint16_t Port() const { return port_; }
    // Connections being served now.
    int Active() const { return active_; }

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    void AcceptLoop(const StopFlag& stop);
    void ReapFinished(bool all);

    SOCKET listener_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    Handler handler_;
    BackgroundTask acceptor_;
    std::list<Connection> connections_;
    std::atomic<int> active_{0};
    StopFlag stopConnections_{false};
};

} // namespace kq::transmit
