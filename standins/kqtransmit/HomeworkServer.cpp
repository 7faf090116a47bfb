#include "standins/kqtransmit/HomeworkServer.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferPath.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

#include <cstring>

namespace kq::transmit {

namespace {

// Any free port: the teacher station tells the students which one.
constexpr uint16_t kAnyPort = 0;

} // namespace

int HomeworkServer::Start(const std::string& folder)
{
    if (server_.Running())
        return kTransmitAlreadyRunning;
    if (!winsock_.Ok() || !IsAbsoluteFolder(folder) || !CreateFolderTree(folder))
        return kTransmitFailed;
    folder_ = WithTrailingSeparator(folder);
    if (!server_.Start(kAnyPort, [this](TcpLink& link, uint32_t, const StopFlag& stop) { Store(link, stop); }))
        return kTransmitFailed;
    return server_.Port();
}

void HomeworkServer::Stop()
{
    server_.Stop();
}

void HomeworkServer::Store(TcpLink& link, const StopFlag& stop)
{
    UploadHeader header{};
    if (!link.ReceiveAll(&header, sizeof header, stop) || header.magic != kUploadMagic)
        return;
    const void* end = std::memchr(header.seat, 0, sizeof header.seat);
    const std::string seat = end ? header.seat : "";
    const uint8_t answer = IsSafeName(seat) ? kStatusStored : kStatusFailed;
    if (!link.SendAll(&answer, sizeof answer, stop) || answer != kStatusStored)
        return;
    ReceivedTree received;
    ReceiveTree(link, folder_ + seat, stop, nullptr, nullptr, received);
}

} // namespace kq::transmit
