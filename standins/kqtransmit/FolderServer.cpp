#include "standins/kqtransmit/FolderServer.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

namespace kq::transmit {

namespace {

// The session word of a served folder (there is no offer).
constexpr uint32_t kServedSession = 0;

} // namespace

int FolderServer::Start(const std::string& folder, uint16_t port)
{
    if (server_.Running())
        return kTransmitAlreadyRunning;
    TreeListing probe;
    if (!winsock_.Ok() || !ListSource(folder, true, probe))
        return kTransmitFailed;
    folder_ = folder;
    if (!server_.Start(port, [this](TcpLink& link, uint32_t, const StopFlag& stop) { Serve(link, stop); }))
        return kTransmitFailed;
    return kTransmitDone;
}

void FolderServer::Stop()
{
    server_.Stop();
}

void FolderServer::Serve(TcpLink& link, const StopFlag& stop)
{
    StreamHello hello{};
    if (!link.ReceiveAll(&hello, sizeof hello, stop) || hello.magic != kHelloMagic ||
        hello.session != kServedSession)
        return;
    TreeListing listing; // listed afresh: the folder may have changed since the start
    if (ListSource(folder_, true, listing))
        SendTree(link, listing, stop, nullptr);
}

} // namespace kq::transmit
