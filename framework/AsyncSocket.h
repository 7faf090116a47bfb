#pragma once
// CAsyncSocket: a Windows Sockets socket whose network events arrive as
// virtual calls (OnReceive, OnSend, OnAccept, OnConnect, OnClose) on the
// thread that created it or last called AsyncSelect, through that thread's
// message loop. Calls never block: one that would returns SOCKET_ERROR with
// WSAEWOULDBLOCK.
//
// Windows Sockets must have been started (AfxSocketInit) before any socket
// is made.

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Win32.h"

// Starts Windows Sockets 2.2 for the process; FALSE when it cannot.
BOOL AfxSocketInit(WSADATA* data = nullptr);

class CAsyncSocket : public CObject {
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    static constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

    CAsyncSocket() = default;
    ~CAsyncSocket() override;

    SOCKET m_hSocket = INVALID_SOCKET;
    operator SOCKET() const { return m_hSocket; }

    // The object that receives the notifications of `socket`, if any.
    static CAsyncSocket* FromHandle(SOCKET socket);
    static int GetLastError() { return ::WSAGetLastError(); }

    // Makes the socket and binds it to `port` on `address` (any interface
    // for null). On failure nothing stays open and the error is kept for
    // GetLastError.
    BOOL Create(UINT port = 0, int type = SOCK_STREAM, long events = kAllEvents, LPCSTR address = nullptr);
    // Makes the socket without binding it, so that options can be set first.
    BOOL Socket(int type = SOCK_STREAM, long events = kAllEvents, int protocol = 0, int family = PF_INET);
    // FALSE (WSAEISCONN) when the object has a socket already.
    BOOL Attach(SOCKET socket, long events = kAllEvents);
    SOCKET Detach();
    virtual void Close();

    // `address` is dotted text or a host name; null means any interface.
    BOOL Bind(UINT port, LPCSTR address = nullptr);
    BOOL Bind(const SOCKADDR* address, int length);
    BOOL Listen(int backlog = SOMAXCONN);
    virtual BOOL Accept(CAsyncSocket& connected, SOCKADDR* address = nullptr, int* length = nullptr);
    BOOL Connect(LPCSTR host, UINT port);
    BOOL Connect(const SOCKADDR* address, int length);
    BOOL ShutDown(int how = SD_SEND);

    virtual int Send(const void* buffer, int length, int flags = 0);
    virtual int Receive(void* buffer, int length, int flags = 0);
    // A null host sends to the broadcast address (SO_BROADCAST must be on).
    int SendTo(const void* buffer, int length, UINT port, LPCSTR host = nullptr, int flags = 0);
    int SendTo(const void* buffer, int length, const SOCKADDR* address, int addressLength, int flags = 0);
    // A datagram longer than `length` is cut to it and reported as
    // SOCKET_ERROR with WSAEMSGSIZE; the sender is set only on success.
    int ReceiveFrom(void* buffer, int length, CString& address, UINT& port, int flags = 0);
    int ReceiveFrom(void* buffer, int length, SOCKADDR* address, int* addressLength, int flags = 0);

    BOOL SetSockOpt(int option, const void* value, int length, int level = SOL_SOCKET);
    BOOL GetSockOpt(int option, void* value, int* length, int level = SOL_SOCKET);
    BOOL IOCtl(long command, DWORD* argument);
    BOOL GetSockName(CString& address, UINT& port);
    BOOL GetSockName(SOCKADDR* address, int* length);
    BOOL GetPeerName(CString& address, UINT& port);
    BOOL GetPeerName(SOCKADDR* address, int* length);

    // Chooses the events to be notified of, on the calling thread.
    BOOL AsyncSelect(long events = kAllEvents);

    // Notifications; `errorCode` is 0 or the Windows Sockets error of the event.
    virtual void OnReceive(int errorCode);
    virtual void OnSend(int errorCode);
    virtual void OnOutOfBandData(int errorCode);
    virtual void OnAccept(int errorCode);
    virtual void OnConnect(int errorCode);
    virtual void OnClose(int errorCode);

    // Called by the notification window for one event of this socket.
    void DispatchEvent(int event, int errorCode);

protected:
    // Builds an IPv4 address from dotted text or a host name; a null text
    // gives `whenNull`. FALSE (WSAEINVAL or the lookup's error) when the
    // name cannot be resolved.
    static BOOL MakeAddress(LPCSTR text, UINT port, ULONG whenNull, SOCKADDR_IN& address);

private:
    // The socket has data (or a datagram, perhaps empty) waiting.
    bool HasDataToRead() const;
};
