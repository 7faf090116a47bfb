#include "standins/kqtransmit/TransferSender.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferPath.h"
#include "common/TextField.h"

#include <algorithm>

namespace kq::transmit {

namespace {

constexpr DWORD kOfferIntervalMs = 500;
constexpr DWORD kLoopSliceMs = 50;
// The whole class: done once nobody new has come this long after the last.
constexpr DWORD kWholeClassQuietMs = 3000;
// Nobody came, or the expected receivers did not all come, in this time.
constexpr DWORD kIdleLimitMs = 60000;
constexpr int kMulticastHops = 4;

uint32_t NewSession()
{
    static std::atomic<uint32_t> counter{0};
    return (GetTickCount() ^ (GetCurrentProcessId() << 16)) + ++counter;
}

} // namespace

int TransferSender::Open(uint32_t firstGroup, uint32_t /*secondGroup*/, uint16_t port, HWND window)
{
    Close();
    if (!winsock_.Ok())
        return kTransmitFailed;
    offerSocket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (offerSocket_ == INVALID_SOCKET)
        return kTransmitFailed;
    const int hops = kMulticastHops;
    setsockopt(offerSocket_, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&hops), sizeof hops);
    offerTarget_ = {};
    offerTarget_.sin_family = AF_INET;
    offerTarget_.sin_port = htons(port);
    offerTarget_.sin_addr.s_addr = firstGroup;
    window_ = window;
    if (!server_.Start(port, [this](TcpLink& link, uint32_t, const StopFlag& stop) { Serve(link, stop); })) {
        Close();
        return kTransmitFailed;
    }
    return kTransmitDone;
}

int TransferSender::Send(const std::string& source, const std::string& receivingFolder, bool folder,
                         uint16_t targets)
{
    if (offerSocket_ == INVALID_SOCKET || sending_ || server_.Active() > 0)
        return kTransmitFailed;
    controller_.Stop(); // reap the previous send's thread
    if (!IsAbsoluteFolder(receivingFolder) || !ListSource(source, folder, listing_))
        return kTransmitFailed;
    offer_ = {};
    offer_.magic = kOfferMagic;
    offer_.session = NewSession();
    session_ = offer_.session;
    offer_.tcpPort = server_.Port();
    offer_.kind = folder ? kOfferFolder : kOfferFile;
    offer_.totalBytes = listing_.totalBytes;
    if (CopyTextField(offer_.folder, WithTrailingSeparator(receivingFolder).c_str()) + 1 >= sizeof offer_.folder)
        return kTransmitFailed; // cut: the receivers would write elsewhere
    CopyTextField(offer_.name, listing_.name.c_str());
    targets_ = targets;
    stored_ = 0;
    started_ = 0;
    delivered_ = 0;
    complete_ = false;
    lastActivity_ = GetTickCount();
    PublishProgress();
    sending_ = true;
    controller_.Start([this](const StopFlag& stop) { Run(stop); });
    return kTransmitDone;
}

int TransferSender::Cancel()
{
    controller_.Stop();
    sending_ = false;
    return kTransmitDone;
}

void TransferSender::Close()
{
    controller_.Stop();
    sending_ = false;
    server_.Stop();
    if (offerSocket_ != INVALID_SOCKET) {
        closesocket(offerSocket_);
        offerSocket_ = INVALID_SOCKET;
    }
}

void TransferSender::Run(const StopFlag& stop)
{
    DWORD lastOffer = GetTickCount() - kOfferIntervalMs;
    int result = kTransmitDone;
    while (!stop) {
        const DWORD now = GetTickCount();
        if (now - lastOffer >= kOfferIntervalMs) {
            SendOffer();
            lastOffer = now;
        }
        PublishProgress();
        if (Finished(now, result)) {
            session_ = 0; // late connections are turned away
            if (result == kTransmitDone)
                complete_ = true;
            PublishProgress();
            sending_ = false;
            PostMessageA(window_, kTransmitDoneMessage, kTransmitSent, result);
            return;
        }
        Sleep(kLoopSliceMs);
    }
}

bool TransferSender::Finished(DWORD now, int& result) const
{
    const bool busy = server_.Active() > 0;
    const DWORD quiet = now - lastActivity_;
    if (targets_ > 0 && stored_ >= targets_) {
        result = kTransmitDone;
        return true;
    }
    if (targets_ == 0 && stored_ > 0 && !busy && quiet >= kWholeClassQuietMs) {
        result = kTransmitDone;
        return true;
    }
    if (!busy && quiet >= kIdleLimitMs) {
        result = kTransmitFailed;
        return true;
    }
    return false;
}

void TransferSender::Serve(TcpLink& link, const StopFlag& stop)
{
    StreamHello hello{};
    if (!link.ReceiveAll(&hello, sizeof hello, stop) || hello.magic != kHelloMagic || hello.session == 0 ||
        hello.session != session_)
        return;
    ++started_;
    lastActivity_ = GetTickCount();
    uint64_t mine = 0;
    const int result = SendTree(link, listing_, stop, [this, &mine](uint64_t moved) {
        delivered_ += moved - mine;
        mine = moved;
    });
    if (result == kTransmitDone)
        ++stored_;
    else
        delivered_ -= mine; // only what arrived counts
    lastActivity_ = GetTickCount();
}

void TransferSender::SendOffer()
{
    sendto(offerSocket_, reinterpret_cast<const char*>(&offer_), sizeof offer_, 0,
           reinterpret_cast<const sockaddr*>(&offerTarget_), sizeof offerTarget_);
}

// The counters follow the slowest expected receiver: the bytes delivered to
// all of them, divided by their number.
void TransferSender::PublishProgress()
{
    const uint64_t expected = targets_ > 0 ? targets_ : std::max(1, started_.load());
    uint32_t total = 0;
    uint32_t done = 0;
    ScaleProgress(listing_.totalBytes, complete_ ? listing_.totalBytes : delivered_ / expected, total, done);
    g_dwTotalToBeSend = total;
    g_dwSended = done;
}

} // namespace kq::transmit
