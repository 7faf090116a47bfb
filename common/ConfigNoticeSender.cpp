#include "common/ConfigNoticeSender.h"

#ifdef _WIN32

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/AdapterAddress.h"
#include "common/GroupMembership.h"
#include "framework/WinsockUse.h"

#include <ctime>
#include <mutex>

namespace kq {

namespace {

std::mutex g_stampLock;
NoticeStamps g_stamps; // one sequence per process

} // namespace

int SendConfigNotice(ConfigNotice& notice, StampRule rule, const char* adapter)
{
    {
        std::lock_guard<std::mutex> lock(g_stampLock);
        notice.stamp = g_stamps.Next(rule, static_cast<uint32_t>(std::time(nullptr)));
    }

    CWinsockUse winsock; // for the length of this send
    if (winsock.Start() != 0)
        return -1;
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return -1;
    const BOOL reuse = TRUE;
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(kConfigNoticePort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse) != 0 ||
        bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        closesocket(s);
        return -1;
    }

    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(kConfigNoticePort);
    inet_pton(AF_INET, kConfigNoticeGroup, &to.sin_addr);
    if (adapter != nullptr) {
        const uint32_t adapterInterface = AdapterInterface(adapter);
        JoinGroupOn(s, to.sin_addr.s_addr, adapterInterface); // a refusal still lets it send
        if (!IsAnyAdapter(adapter))
            SendThrough(s, adapterInterface);
    }
    int result = SOCKET_ERROR;
    for (int copy = 0; copy < kConfigNoticeCopies; ++copy) {
        if (copy > 0)
            Sleep(kConfigNoticePauseMs);
        result = sendto(s, reinterpret_cast<const char*>(&notice), sizeof notice, 0,
                        reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    shutdown(s, SD_BOTH);
    closesocket(s);
    return result;
}

} // namespace kq

#endif
