#pragma once
// Serves one folder, with everything in it, to every PC that connects: the
// folder arrives there under its own name.

#include "standins/kqtransmit/TcpServer.h"

#include <string>

namespace kq::transmit {

class FolderServer {
public:
    // Returns 0, kTransmitAlreadyRunning, or kTransmitFailed.
    int Start(const std::string& folder, uint16_t port);
    void Stop();

private:
    void Serve(TcpLink& link, const StopFlag& stop);

    WinsockUse winsock_;
    TcpServer server_;
    std::string folder_;
};

} // namespace kq::transmit
