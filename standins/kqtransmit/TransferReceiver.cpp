#include "standins/kqtransmit/TransferReceiver.h"

#include "common/TextField.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferPath.h"

#include <cstring>

namespace kq::transmit {

namespace {

constexpr DWORD kOfferWaitMs = 120000;
constexpr DWORD kReadSliceMs = 100;
constexpr DWORD kConnectPatienceMs = 10000;

// An offer is used only when it is whole and its texts are terminated.
bool IsValidOffer(const char* data, int length, TransferOffer& offer)
{
    if (length != static_cast<int>(sizeof offer))
        return false;
    std::memcpy(&offer, data, sizeof offer);
    return offer.magic == kOfferMagic && offer.session != 0 &&
           std::memchr(offer.folder, 0, sizeof offer.folder) != nullptr &&
           std::memchr(offer.name, 0, sizeof offer.name) != nullptr;
}

} // namespace

int TransferReceiver::Open(uint32_t /*sendGroup*/, uint32_t receiveGroup, uint16_t port, HWND window)
{
    Close();
    if (!winsock_.Ok())
        return kTransmitFailed;
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET)
        return kTransmitFailed;
    BOOL reuse = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    ip_mreq join{};
    join.imr_multiaddr.s_addr = receiveGroup;
    join.imr_interface.s_addr = htonl(INADDR_ANY);
    if (bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join), sizeof join) != 0) {
        Close();
        return kTransmitFailed;
    }
    window_ = window;
    return kTransmitDone;
}

int TransferReceiver::Receive(char* location, int size)
{
    if (socket_ == INVALID_SOCKET || location == nullptr || size <= 0 || receiving_)
        return kTransmitFailed;
    receiving_ = true;
    g_dwTotalToBeRecv = 0;
    g_dwReceived = 0;
    task_.Start([this, location, size](const StopFlag& stop) { Run(location, size, stop); });
    return kTransmitDone;
}

void TransferReceiver::Close()
{
    task_.Stop();
    receiving_ = false;
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

void TransferReceiver::Run(char* location, int size, const StopFlag& stop)
{
    TransferOffer offer;
    uint32_t sender = 0;
    const int result = WaitForOffer(offer, sender, stop) ? Take(offer, sender, location, size, stop)
                                                         : kTransmitNothingOffered;
    receiving_ = false;
    if (!stop)
        PostMessageA(window_, kTransmitDoneMessage, kTransmitReceived, result);
}

bool TransferReceiver::WaitForOffer(TransferOffer& offer, uint32_t& sender, const StopFlag& stop)
{
    const DWORD start = GetTickCount();
    char datagram[sizeof(TransferOffer) + 1]; // one more byte shows an oversized datagram
    while (!stop && GetTickCount() - start < kOfferWaitMs) {
        if (!WaitReadable(socket_, kReadSliceMs))
            continue;
        sockaddr_in from{};
        int fromLength = sizeof from;
        const int length = recvfrom(socket_, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from),
                                    &fromLength);
        if (IsValidOffer(datagram, length, offer) && offer.session != lastSession_) {
            sender = from.sin_addr.s_addr;
            return true;
        }
    }
    return false;
}

int TransferReceiver::Take(const TransferOffer& offer, uint32_t sender, char* location, int size,
                           const StopFlag& stop)
{
    lastSession_ = offer.session;
    if (!IsAbsoluteFolder(offer.folder) || !IsSafeName(offer.name))
        return kTransmitRefused;
    TcpLink link = TcpLink::Connect(sender, offer.tcpPort, kConnectPatienceMs, stop);
    const StreamHello hello{kHelloMagic, offer.session};
    if (!link.Valid() || !link.SendAll(&hello, sizeof hello, stop))
        return kTransmitUnreachable;
    uint64_t total = 0;
    ReceivedTree received;
    const int result = ReceiveTree(
        link, offer.folder, stop,
        [&total](uint64_t announced) {
            total = announced;
            uint32_t scaledTotal = 0;
            uint32_t scaledDone = 0;
            ScaleProgress(total, 0, scaledTotal, scaledDone);
            g_dwTotalToBeRecv = scaledTotal;
        },
        [&total](uint64_t moved) {
            uint32_t scaledTotal = 0;
            uint32_t scaledDone = 0;
            ScaleProgress(total, moved, scaledTotal, scaledDone);
            g_dwReceived = scaledDone;
        },
        received);
    if (result == kTransmitDone)
        CopyTextField(location, static_cast<size_t>(size), received.location.c_str());
    return result;
}

} // namespace kq::transmit
