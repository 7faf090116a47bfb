#include "framework/Socket.h"

IMPLEMENT_DYNAMIC(CSocket, CAsyncSocket)

namespace {

// Waits until `socket` is ready; false (with the error set) when select fails.
bool WaitReady(SOCKET socket, bool forWrite, bool& failed)
{
    fd_set ready;
    fd_set broken;
    FD_ZERO(&ready);
    FD_ZERO(&broken);
    FD_SET(socket, &ready);
    FD_SET(socket, &broken);
    const int result = forWrite ? ::select(0, nullptr, &ready, &broken, nullptr)
                                : ::select(0, &ready, nullptr, &broken, nullptr);
    failed = result > 0 && FD_ISSET(socket, &broken);
    return result > 0;
}

} // namespace

BOOL CSocket::Create(UINT port, int type, LPCSTR address)
{
    return CAsyncSocket::Create(port, type, kAllEvents, address);
}

bool CSocket::WaitIfWouldBlock(Wait what)
{
    if (::WSAGetLastError() != WSAEWOULDBLOCK || m_hSocket == INVALID_SOCKET)
        return false;
    bool failed = false;
    if (!WaitReady(m_hSocket, what == Wait::Write, failed))
        return false;
    return !failed;
}

BOOL CSocket::Accept(CAsyncSocket& connected, SOCKADDR* address, int* length)
{
    for (;;) {
        if (CAsyncSocket::Accept(connected, address, length))
            return TRUE;
        if (!WaitIfWouldBlock(Wait::Read))
            return FALSE;
    }
}

BOOL CSocket::Connect(LPCSTR host, UINT port)
{
    if (host == nullptr) {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKADDR_IN remote;
    if (!MakeAddress(host, port, INADDR_NONE, remote))
        return FALSE;
    return Connect(reinterpret_cast<const SOCKADDR*>(&remote), sizeof remote);
}

BOOL CSocket::Connect(const SOCKADDR* address, int length)
{
    if (CAsyncSocket::Connect(address, length))
        return TRUE;
    if (::WSAGetLastError() != WSAEWOULDBLOCK)
        return FALSE;
    // The connection is under way: writable means made, an exception failed.
    bool failed = false;
    if (!WaitReady(m_hSocket, true, failed))
        return FALSE;
    if (!failed)
        return TRUE;
    int error = 0;
    int size = sizeof error;
    GetSockOpt(SO_ERROR, &error, &size);
    ::WSASetLastError(error != 0 ? error : WSAECONNREFUSED);
    return FALSE;
}

int CSocket::Send(const void* buffer, int length, int flags)
{
    const char* bytes = static_cast<const char*>(buffer);
    int sent = 0;
    while (sent < length) {
        const int result = CAsyncSocket::Send(bytes + sent, length - sent, flags);
        if (result == SOCKET_ERROR) {
            if (WaitIfWouldBlock(Wait::Write))
                continue;
            return SOCKET_ERROR;
        }
        sent += result;
    }
    return sent;
}

int CSocket::Receive(void* buffer, int length, int flags)
{
    for (;;) {
        const int result = CAsyncSocket::Receive(buffer, length, flags);
        if (result != SOCKET_ERROR || !WaitIfWouldBlock(Wait::Read))
            return result;
    }
}

int CSocket::SendTo(const void* buffer, int length, UINT port, LPCSTR host, int flags)
{
    SOCKADDR_IN remote;
    if (!MakeAddress(host, port, INADDR_BROADCAST, remote))
        return SOCKET_ERROR;
    return SendTo(buffer, length, reinterpret_cast<const SOCKADDR*>(&remote), sizeof remote, flags);
}

int CSocket::SendTo(const void* buffer, int length, const SOCKADDR* address, int addressLength, int flags)
{
    for (;;) {
        const int result = CAsyncSocket::SendTo(buffer, length, address, addressLength, flags);
        if (result != SOCKET_ERROR || !WaitIfWouldBlock(Wait::Write))
            return result;
    }
}

int CSocket::ReceiveFrom(void* buffer, int length, CString& address, UINT& port, int flags)
{
    for (;;) {
        const int result = CAsyncSocket::ReceiveFrom(buffer, length, address, port, flags);
        if (result != SOCKET_ERROR || !WaitIfWouldBlock(Wait::Read))
            return result;
    }
}

int CSocket::ReceiveFrom(void* buffer, int length, SOCKADDR* address, int* addressLength, int flags)
{
    for (;;) {
        const int result = CAsyncSocket::ReceiveFrom(buffer, length, address, addressLength, flags);
        if (result != SOCKET_ERROR || !WaitIfWouldBlock(Wait::Read))
            return result;
    }
}
