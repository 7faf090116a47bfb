#include "common/GroupMembership.h"

namespace kq {

namespace {

constexpr uint32_t kAnyAdapter = 0;

} // namespace

bool BindShared(SOCKET s, uint16_t port, uint32_t address)
{
    const BOOL reuse = TRUE;
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = port;
    local.sin_addr.s_addr = address;
    return setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse) == 0 &&
           bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

bool JoinGroupOn(SOCKET s, uint32_t group, uint32_t adapterInterface)
{
    ip_mreq membership = {};
    membership.imr_multiaddr.s_addr = group;
    membership.imr_interface.s_addr = adapterInterface;
    return setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&membership),
                      sizeof membership) == 0;
}

void SendThrough(SOCKET s, uint32_t adapterInterface)
{
    if (adapterInterface == kAnyAdapter)
        return;
    in_addr outgoing = {};
    outgoing.s_addr = adapterInterface;
    setsockopt(s, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&outgoing), sizeof outgoing);
}

bool JoinAndSendOn(SOCKET s, uint32_t group, uint32_t adapterInterface)
{
    if (!JoinGroupOn(s, group, adapterInterface))
        return false;
    SendThrough(s, adapterInterface);
    return true;
}

} // namespace kq
