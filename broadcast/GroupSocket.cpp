#include "broadcast/GroupSocket.h"

#include "broadcast/MirageDatagram.h"
#include "broadcast/MirageEngineState.h"
#include "common/AdapterAddress.h"
#include "common/GroupMembership.h"
#include "common/StudentIniNetwork.h"

namespace {

constexpr char kSendMutexName[] = "domainsocket";
constexpr DWORD kSendMutexWaitMs = 10;
constexpr DWORD kStartPauseMs = 50;
constexpr DWORD kGroupPollMs = 50;
constexpr DWORD kBeforeBindMs = 10;
// Pauses before the second, third and fourth bind.
constexpr DWORD kBindRetryPausesMs[] = {2000, 3000, 4000};
constexpr int kSocketBufferBytes = 204800;

bool SetIntOption(SOCKET s, int level, int option, int value)
{
    return setsockopt(s, level, option, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

bool BindWithRetries(SOCKET s, uint16_t port)
{
    if (kq::BindShared(s, port, htonl(INADDR_ANY)))
        return true;
    for (DWORD pause : kBindRetryPausesMs) {
        Sleep(pause);
        if (kq::BindShared(s, port, htonl(INADDR_ANY)))
            return true;
    }
    return false;
}

} // namespace

CGroupSocket& GroupSocket()
{
    static CGroupSocket socket;
    return socket;
}

int CGroupSocket::Open(const std::string& hostFolder)
{
    MirageEngineState& state = EngineState();
    if (state.socketHandle != 0)
        return 0;
    Sleep(kStartPauseMs);
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return -1;
    while (!state.receiveStop) {
        if (state.groupNumeric == 0) { // no mode has parsed its options yet
            Sleep(kGroupPollMs);
            continue;
        }
        s = Configure(s, hostFolder);
        if (s == INVALID_SOCKET)
            return -1;
        HANDLE mutex = CreateMutexA(nullptr, FALSE, kSendMutexName);
        if (HANDLE old = m_mutex.exchange(mutex))
            CloseHandle(old);
        state.socketHandle = static_cast<uintptr_t>(s);
        return 0;
    }
    closesocket(s);
    return -1;
}

SOCKET CGroupSocket::Configure(SOCKET s, const std::string& hostFolder)
{
    MirageEngineState& state = EngineState();
    Sleep(kBeforeBindMs);
    const uint32_t adapter = kq::AdapterInterface(kq::ReadStudentAdapterAddress(hostFolder));
    bool ok = BindWithRetries(s, state.portNetworkOrder) && SetIntOption(s, SOL_SOCKET, SO_BROADCAST, 1) &&
              kq::JoinAndSendOn(s, state.groupNumeric, adapter);
    ok = ok && SetIntOption(s, SOL_SOCKET, SO_RCVBUF, kSocketBufferBytes) &&
         SetIntOption(s, SOL_SOCKET, SO_SNDBUF, kSocketBufferBytes);
    if (!ok) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    m_destination = {};
    m_destination.sin_family = AF_INET;
    m_destination.sin_port = state.portNetworkOrder;
    m_destination.sin_addr.s_addr = state.groupNumeric;
    return s;
}

int CGroupSocket::Close()
{
    const auto s = static_cast<SOCKET>(EngineState().socketHandle.exchange(0));
    if (s != 0) {
        shutdown(s, SD_BOTH);
        closesocket(s);
    }
    if (HANDLE mutex = m_mutex.exchange(nullptr))
        CloseHandle(mutex);
    return 0;
}

bool CGroupSocket::Send(const void* datagram, DWORD holdMs)
{
    const auto s = static_cast<SOCKET>(EngineState().socketHandle.load());
    if (s == 0)
        return false;
    HANDLE mutex = m_mutex.load();
    const DWORD wait = mutex != nullptr ? WaitForSingleObject(mutex, kSendMutexWaitMs) : WAIT_FAILED;
    const bool owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (holdMs > 0)
        Sleep(holdMs);
    const int sent = sendto(s, static_cast<const char*>(datagram), static_cast<int>(kMirageDatagramSize), 0,
                            reinterpret_cast<const sockaddr*>(&m_destination), sizeof m_destination);
    if (owned)
        ReleaseMutex(mutex);
    return sent == static_cast<int>(kMirageDatagramSize);
}

void CGroupSocket::SendWakeUp()
{
    const auto s = static_cast<SOCKET>(EngineState().socketHandle.load());
    if (s == 0)
        return;
    const char wakeUp[kMirageWakeUpSize] = {};
    sendto(s, wakeUp, sizeof wakeUp, 0, reinterpret_cast<const sockaddr*>(&m_destination), sizeof m_destination);
}

int CGroupSocket::Receive(void* buffer, int size)
{
    const auto s = static_cast<SOCKET>(EngineState().socketHandle.load());
    if (s == 0)
        return -1;
    const int n = recv(s, static_cast<char*>(buffer), size, 0);
    return n == SOCKET_ERROR ? -1 : n;
}
