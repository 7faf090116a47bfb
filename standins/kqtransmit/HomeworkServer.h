#pragma once
// The teacher's homework file server: students' file clients connect and
// hand in one file each, stored as <folder>\<seat number>\<file name>.

#include "standins/kqtransmit/TcpServer.h"

#include <string>

namespace kq::transmit {

class HomeworkServer {
public:
    // Returns the listening port, kTransmitAlreadyRunning, or kTransmitFailed.
    int Start(const std::string& folder);
    void Stop();

private:
    void Store(TcpLink& link, const StopFlag& stop);

    WinsockUse winsock_;
    TcpServer server_;
    std::string folder_;
};

} // namespace kq::transmit
