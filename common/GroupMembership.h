#pragma once
// The multicast steps every program of the classroom takes on its UDP
// sockets, in one place: the port shared with the PC's other programs
// (SO_REUSEADDR before bind), membership of a group on the adapter that
// student.ini names, and that adapter as the sending interface.
// CMulticastSocket and the programs' own sockets all take them from here.
//
// Addresses, ports and adapter interfaces are in network byte order; an
// adapter interface is kq::AdapterInterface's value: 0 for any adapter.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdint>

namespace kq {

// SO_REUSEADDR, then bind to `port` on `address`. False at the failing call
// (WSAGetLastError tells why).
bool BindShared(SOCKET s, uint16_t port, uint32_t address);
// Membership of `group` for receiving on the adapter; false when refused.
bool JoinGroupOn(SOCKET s, uint32_t group, uint32_t adapterInterface);
// Multicasts leave through the adapter. Any adapter leaves the system's
// choice; a refusal is left to the system's choice too.
void SendThrough(SOCKET s, uint32_t adapterInterface);
// JoinGroupOn, then SendThrough: a member that also sends to its group.
bool JoinAndSendOn(SOCKET s, uint32_t group, uint32_t adapterInterface);

} // namespace kq
