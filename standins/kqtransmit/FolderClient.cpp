#include "standins/kqtransmit/FolderClient.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferPath.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

namespace kq::transmit {

namespace {

// The server may start a little after the client (both follow one command).
constexpr DWORD kConnectPatienceMs = 30000;
constexpr uint32_t kServedSession = 0;

} // namespace

void FolderClient::Start(const std::string& folder, uint32_t address, uint16_t port, HWND window)
{
    task_.Start([this, folder, address, port, window](const StopFlag& stop) {
        const int result = Fetch(folder, address, port, stop);
        if (!stop)
            PostMessageA(window, kTransmitDoneMessage,
                         result == kTransmitDone ? kTransmitDirReceived : kTransmitDirFailed, result);
    });
}

void FolderClient::Stop()
{
    task_.Stop();
}

int FolderClient::Fetch(const std::string& folder, uint32_t address, uint16_t port, const StopFlag& stop)
{
    if (!winsock_.Ok() || !IsAbsoluteFolder(folder))
        return kTransmitFailed;
    TcpLink link = TcpLink::Connect(address, port, kConnectPatienceMs, stop);
    const StreamHello hello{kHelloMagic, kServedSession};
    if (!link.Valid() || !link.SendAll(&hello, sizeof hello, stop))
        return kTransmitUnreachable;
    ReceivedTree received;
    return ReceiveTree(link, folder, stop, nullptr, nullptr, received);
}

} // namespace kq::transmit
