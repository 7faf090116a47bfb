#pragma once
// CSocket: a CAsyncSocket whose sends, receives, connects and accepts wait
// until they can be done instead of failing with WSAEWOULDBLOCK. The
// notifications (OnReceive, ...) still arrive through the message loop.
//
// A waiting call blocks its thread (it pumps no messages).

#include "framework/AsyncSocket.h"

class CSocket : public CAsyncSocket {
    DECLARE_DYNAMIC(CSocket)
public:
    // All events are selected, so OnReceive and the others are called.
    BOOL Create(UINT port = 0, int type = SOCK_STREAM, LPCSTR address = nullptr);

    BOOL Accept(CAsyncSocket& connected, SOCKADDR* address = nullptr, int* length = nullptr) override;
    BOOL Connect(LPCSTR host, UINT port);
    BOOL Connect(const SOCKADDR* address, int length);
    // Sends the whole buffer (a stream socket may need several sends).
    int Send(const void* buffer, int length, int flags = 0) override;
    int Receive(void* buffer, int length, int flags = 0) override;
    int SendTo(const void* buffer, int length, UINT port, LPCSTR host = nullptr, int flags = 0);
    int SendTo(const void* buffer, int length, const SOCKADDR* address, int addressLength, int flags = 0);
    int ReceiveFrom(void* buffer, int length, CString& address, UINT& port, int flags = 0);
    int ReceiveFrom(void* buffer, int length, SOCKADDR* address, int* addressLength, int flags = 0);

private:
    enum class Wait { Read, Write };
    // True when the call that failed should be tried again: it would have
    // blocked and the socket is now ready.
    bool WaitIfWouldBlock(Wait what);
};
