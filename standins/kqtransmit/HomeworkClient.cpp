#include "standins/kqtransmit/HomeworkClient.h"

#include "common/TextField.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferWire.h"
#include "standins/kqtransmit/TreeStream.h"

namespace kq::transmit {

namespace {

// The server runs already when a student is asked to hand in.
constexpr DWORD kConnectPatienceMs = 3000;

} // namespace

void HomeworkClient::Start(uint32_t address, uint16_t port, int kind, const std::string& path,
                           const std::string& seat, HWND window)
{
    task_.Start([this, address, port, kind, path, seat, window](const StopFlag& stop) {
        const int result = HandIn(address, port, kind, path, seat, stop);
        if (!stop)
            PostMessageA(window, kTransmitDoneMessage,
                         result == kTransmitDone ? kTransmitHandedIn : kTransmitHandInFailed, result);
    });
}

void HomeworkClient::Stop()
{
    task_.Stop();
}

int HomeworkClient::HandIn(uint32_t address, uint16_t port, int kind, const std::string& path,
                           const std::string& seat, const StopFlag& stop)
{
    TreeListing listing;
    if (!winsock_.Ok() || !ListSource(path, false, listing))
        return kTransmitFailed;
    TcpLink link = TcpLink::Connect(address, port, kConnectPatienceMs, stop);
    UploadHeader header{};
    header.magic = kUploadMagic;
    header.kind = kind;
    CopyTextField(header.seat, seat.c_str());
    uint8_t answer = kStatusFailed;
    if (!link.Valid() || !link.SendAll(&header, sizeof header, stop) ||
        !link.ReceiveAll(&answer, sizeof answer, stop))
        return kTransmitUnreachable;
    if (answer != kStatusStored)
        return kTransmitRejected;
    return SendTree(link, listing, stop, nullptr);
}

} // namespace kq::transmit
