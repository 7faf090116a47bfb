#pragma once
// CMulticastSocket: a small UDP socket on a multicast group, or for
// broadcasts, as the programs' dialogs use it (the chat on the classroom
// group, for one). Create validates the endpoint, starts Windows Sockets for
// this object and prepares a bound non-blocking socket; JoinGroup makes it a
// member; SendTo and RecvFrom move one datagram; AsyncSelect asks for
// notices as a window message. Every failure returns 0 and keeps the Windows
// Sockets error in the object.
//
// Order of use: Create, JoinGroup for a group, AsyncSelect, any number of
// SendTo and RecvFrom, then Close. Used by one thread at a time.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/WinsockUse.h"

#include <cstdint>

class CMulticastSocket {
public:
    CMulticastSocket() = default;
    ~CMulticastSocket() { Close(); }
    CMulticastSocket(const CMulticastSocket&) = delete;
    CMulticastSocket& operator=(const CMulticastSocket&) = delete;

    // `group` (inet_addr form) is 0 for broadcasts to 255.255.255.255 or a
    // group in 224.0.1.0-239.255.255.255; `port` (network order) at least
    // 1024; `timeToLive` not 0. Otherwise, or while a socket is open, 0
    // without touching the error. `localInterface` null: any address.
    int Create(uint32_t group, uint16_t port, const char* localInterface, int timeToLive);
    // Joins the group for receiving when `receive` is non-zero (a
    // send-only member needs no membership); with an interface text that
    // interface also becomes the multicast sending interface.
    int JoinGroup(const char* localInterface, int receive);
    // Sends the whole buffer to the group; a send that would block is tried
    // again after 1 ms, `attempts` times in all.
    int SendTo(const void* buffer, int length, DWORD* sent, int attempts);
    // Sends the buffer `copies` times, `pauseMs` apart, so that a notice
    // survives the loss of a datagram or two; each copy as SendTo.
    void SendCopies(const void* buffer, int length, int copies, int attempts, DWORD pauseMs);
    // One datagram; the sender lands in FromAddress(). `received` is written
    // only on success.
    int RecvFrom(void* buffer, int length, DWORD* received);
    // 0 without an error for a window that is gone or a closed socket.
    int AsyncSelect(HWND window, UINT message, long events);
    // Closes the socket, then ends this object's Windows Sockets use; a
    // failing close keeps everything as it was and returns 0.
    int CloseSocket();
    int Close() { return CloseSocket(); }

    int GetLastError() const { return m_lastError; }
    void SetLastError(int error) { m_lastError = error; }

    SOCKET Socket() const { return m_socket; }
    SOCKET Leaf() const { return m_leaf; }
    const sockaddr_in& LocalAddress() const { return m_localAddress; }
    const sockaddr_in& GroupAddress() const { return m_groupAddress; }
    const sockaddr_in& FromAddress() const { return m_fromAddress; }

private:
    void Fail(int error);

    CWinsockUse m_winsock; // this object's own start of Windows Sockets
    sockaddr_in m_localAddress{};
    sockaddr_in m_groupAddress{};
    sockaddr_in m_fromAddress{};
    SOCKET m_socket = INVALID_SOCKET;
    SOCKET m_leaf = INVALID_SOCKET;
    int m_lastError = 0;
};
