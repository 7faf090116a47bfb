#pragma once
// The one open transport of a Lectern.dll side, and the Winsock start it
// holds while open. Teacher and student exports differ only in the
// transport they keep here.

#include <winsock2.h>
#include <windows.h>

#include <memory>

namespace kq::lectern {

template <typename Transport>
class TransportSlot {
public:
    // Closes what is open, then opens a transport from `setup`; false when
    // Winsock or the transport cannot start (nothing is left open then).
    template <typename Setup>
    bool Open(const Setup& setup)
    {
        Close();
        WSADATA wsa;
        winsockStarted_ = WSAStartup(kWinsockVersion, &wsa) == 0;
        if (!winsockStarted_)
            return false;
        transport_ = Transport::Open(setup);
        if (!transport_)
            Close();
        return transport_ != nullptr;
    }

    void Close()
    {
        // Released after Close: a handler running inside the transport keeps
        // its own reference until it returns.
        const auto transport = std::move(transport_);
        if (transport)
            transport->Close();
        if (winsockStarted_) {
            WSACleanup();
            winsockStarted_ = false;
        }
    }

    explicit operator bool() const { return transport_ != nullptr; }
    Transport* operator->() const { return transport_.get(); }

private:
    static constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

    std::shared_ptr<Transport> transport_;
    bool winsockStarted_ = false;
};

} // namespace kq::lectern
