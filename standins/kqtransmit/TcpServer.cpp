#include "standins/kqtransmit/TcpServer.h"

#include <utility>

namespace kq::transmit {

namespace {

constexpr DWORD kAcceptSliceMs = 100;
constexpr int kMaxConnections = 64;
constexpr int kBacklog = 16;

} // namespace

bool TcpServer::Start(uint16_t port, Handler handler)
{
    Stop();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    int length = sizeof local;
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || listen(s, kBacklog) != 0 ||
        !MakeNonBlocking(s) || getsockname(s, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        closesocket(s);
        return false;
    }
    listener_ = s;
    port_ = ntohs(local.sin_port);
    handler_ = std::move(handler);
    stopConnections_ = false;
    acceptor_.Start([this](const StopFlag& stop) { AcceptLoop(stop); });
    return true;
}

void TcpServer::Stop()
{
    acceptor_.Stop();
    stopConnections_ = true;
    ReapFinished(true);
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    port_ = 0;
}

void TcpServer::AcceptLoop(const StopFlag& stop)
{
    while (!stop) {
        ReapFinished(false);
        if (!WaitReadable(listener_, kAcceptSliceMs))
            continue;
        sockaddr_in peer{};
        int length = sizeof peer;
        SOCKET s = accept(listener_, reinterpret_cast<sockaddr*>(&peer), &length);
        if (s == INVALID_SOCKET)
            continue;
        if (active_ >= kMaxConnections) {
            closesocket(s);
            continue;
        }
        ++active_;
        Connection& connection = connections_.emplace_back();
        const uint32_t address = peer.sin_addr.s_addr;
        connection.thread = std::thread([this, s, address, &connection] {
            TcpLink link(s);
            handler_(link, address, stopConnections_);
            link.Close();
            --active_;
            connection.finished = true;
        });
    }
}

void TcpServer::ReapFinished(bool all)
{
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (all || it->finished) {
            if (it->thread.joinable())
                it->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace kq::transmit
