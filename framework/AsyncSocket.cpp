#include "framework/AsyncSocket.h"

#include "framework/SocketWindow.h"

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

namespace {

constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

void ToText(const SOCKADDR_IN& address, CString& text, UINT& port)
{
    text = ::inet_ntoa(address.sin_addr);
    port = ntohs(address.sin_port);
}

} // namespace

BOOL AfxSocketInit(WSADATA* data)
{
    WSADATA local;
    return ::WSAStartup(kWinsockVersion, data != nullptr ? data : &local) == 0;
}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CAsyncSocket::Close();
}

CAsyncSocket* CAsyncSocket::FromHandle(SOCKET socket)
{
    return kq::SocketWindow::Find(socket);
}

// ---- Life -------------------------------------------------------------------

BOOL CAsyncSocket::Create(UINT port, int type, long events, LPCSTR address)
{
    if (!Socket(type, events))
        return FALSE;
    if (Bind(port, address))
        return TRUE;
    const int error = ::WSAGetLastError();
    Close();
    ::WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int type, long events, int protocol, int family)
{
    if (m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    const SOCKET socket = ::socket(family, type, protocol);
    if (socket == INVALID_SOCKET)
        return FALSE;
    if (Attach(socket, events))
        return TRUE;
    const int error = ::WSAGetLastError();
    ::closesocket(socket);
    ::WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Attach(SOCKET socket, long events)
{
    if (socket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    if (m_hSocket != INVALID_SOCKET) {
        // One socket per object: the one it has would be lost.
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    m_hSocket = socket;
    if (kq::SocketWindow::Select(this, socket, events))
        return TRUE;
    m_hSocket = INVALID_SOCKET;
    return FALSE;
}

SOCKET CAsyncSocket::Detach()
{
    const SOCKET socket = m_hSocket;
    if (socket != INVALID_SOCKET)
        kq::SocketWindow::Remove(socket);
    m_hSocket = INVALID_SOCKET;
    return socket;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    ::closesocket(Detach());
}

BOOL CAsyncSocket::AsyncSelect(long events)
{
    if (m_hSocket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    return kq::SocketWindow::Select(this, m_hSocket, events);
}

// ---- Addresses and connections ----------------------------------------------

BOOL CAsyncSocket::MakeAddress(LPCSTR text, UINT port, ULONG whenNull, SOCKADDR_IN& address)
{
    address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (text == nullptr) {
        address.sin_addr.s_addr = htonl(whenNull);
        return TRUE;
    }
    if (::inet_pton(AF_INET, text, &address.sin_addr) == 1)
        return TRUE;

    ADDRINFOA hints = {};
    hints.ai_family = AF_INET;
    ADDRINFOA* found = nullptr;
    const int error = ::getaddrinfo(text, nullptr, &hints, &found);
    if (error != 0 || found == nullptr) {
        ::WSASetLastError(error != 0 ? error : WSAHOST_NOT_FOUND);
        return FALSE;
    }
    address.sin_addr = reinterpret_cast<const SOCKADDR_IN*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return TRUE;
}

BOOL CAsyncSocket::Bind(UINT port, LPCSTR address)
{
    SOCKADDR_IN local;
    if (!MakeAddress(address, port, INADDR_ANY, local))
        return FALSE;
    return Bind(reinterpret_cast<const SOCKADDR*>(&local), sizeof local);
}

BOOL CAsyncSocket::Bind(const SOCKADDR* address, int length)
{
    return ::bind(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Listen(int backlog)
{
    return ::listen(m_hSocket, backlog) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& connected, SOCKADDR* address, int* length)
{
    if (connected.m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    const SOCKET socket = ::accept(m_hSocket, address, length);
    if (socket == INVALID_SOCKET)
        return FALSE;
    if (connected.Attach(socket))
        return TRUE;
    const int error = ::WSAGetLastError();
    ::closesocket(socket);
    ::WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Connect(LPCSTR host, UINT port)
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

BOOL CAsyncSocket::Connect(const SOCKADDR* address, int length)
{
    return ::connect(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::ShutDown(int how)
{
    return ::shutdown(m_hSocket, how) != SOCKET_ERROR;
}

// ---- Data -------------------------------------------------------------------

int CAsyncSocket::Send(const void* buffer, int length, int flags)
{
    return ::send(m_hSocket, static_cast<const char*>(buffer), length, flags);
}

int CAsyncSocket::Receive(void* buffer, int length, int flags)
{
    return ::recv(m_hSocket, static_cast<char*>(buffer), length, flags);
}

int CAsyncSocket::SendTo(const void* buffer, int length, UINT port, LPCSTR host, int flags)
{
    SOCKADDR_IN remote;
    if (!MakeAddress(host, port, INADDR_BROADCAST, remote))
        return SOCKET_ERROR;
    return SendTo(buffer, length, reinterpret_cast<const SOCKADDR*>(&remote), sizeof remote, flags);
}

int CAsyncSocket::SendTo(const void* buffer, int length, const SOCKADDR* address, int addressLength, int flags)
{
    return ::sendto(m_hSocket, static_cast<const char*>(buffer), length, flags, address, addressLength);
}

int CAsyncSocket::ReceiveFrom(void* buffer, int length, CString& address, UINT& port, int flags)
{
    SOCKADDR_IN sender = {};
    int senderLength = sizeof sender;
    const int received =
        ReceiveFrom(buffer, length, reinterpret_cast<SOCKADDR*>(&sender), &senderLength, flags);
    if (received != SOCKET_ERROR)
        ToText(sender, address, port);
    return received;
}

int CAsyncSocket::ReceiveFrom(void* buffer, int length, SOCKADDR* address, int* addressLength, int flags)
{
    return ::recvfrom(m_hSocket, static_cast<char*>(buffer), length, flags, address, addressLength);
}

// ---- Options and names ------------------------------------------------------

BOOL CAsyncSocket::SetSockOpt(int option, const void* value, int length, int level)
{
    return ::setsockopt(m_hSocket, level, option, static_cast<const char*>(value), length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int option, void* value, int* length, int level)
{
    return ::getsockopt(m_hSocket, level, option, static_cast<char*>(value), length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::IOCtl(long command, DWORD* argument)
{
    return ::ioctlsocket(m_hSocket, command, reinterpret_cast<u_long*>(argument)) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockName(CString& address, UINT& port)
{
    SOCKADDR_IN local = {};
    int length = sizeof local;
    if (!GetSockName(reinterpret_cast<SOCKADDR*>(&local), &length))
        return FALSE;
    ToText(local, address, port);
    return TRUE;
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* address, int* length)
{
    return ::getsockname(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetPeerName(CString& address, UINT& port)
{
    SOCKADDR_IN remote = {};
    int length = sizeof remote;
    if (!GetPeerName(reinterpret_cast<SOCKADDR*>(&remote), &length))
        return FALSE;
    ToText(remote, address, port);
    return TRUE;
}

BOOL CAsyncSocket::GetPeerName(SOCKADDR* address, int* length)
{
    return ::getpeername(m_hSocket, address, length) != SOCKET_ERROR;
}

// ---- Notifications ----------------------------------------------------------

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

bool CAsyncSocket::HasDataToRead() const
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_hSocket, &readable);
    timeval now = {0, 0};
    return ::select(0, &readable, nullptr, nullptr, &now) > 0;
}

void CAsyncSocket::DispatchEvent(int event, int errorCode)
{
    switch (event) {
    case FD_READ:
        // A notice can outlive its data (a blocking read took it meanwhile):
        // calling OnReceive then would leave its read with nothing to read.
        if (errorCode == 0 && !HasDataToRead())
            return;
        OnReceive(errorCode);
        break;
    case FD_WRITE:
        OnSend(errorCode);
        break;
    case FD_OOB:
        OnOutOfBandData(errorCode);
        break;
    case FD_ACCEPT:
        OnAccept(errorCode);
        break;
    case FD_CONNECT:
        OnConnect(errorCode);
        break;
    case FD_CLOSE:
        OnClose(errorCode);
        break;
    default:
        break;
    }
}
