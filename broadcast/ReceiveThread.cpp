#include "broadcast/ReceiveThread.h"

#include "broadcast/GroupSocket.h"
#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"

namespace {

constexpr WORD kWinsock11 = MAKEWORD(1, 1);
constexpr DWORD kAfterBadDatagramMs = 1;

std::string g_hostFolder;

} // namespace

void CReceiveThread::SetHostFolder(const std::string& folder)
{
    g_hostFolder = folder;
}

DWORD WINAPI CReceiveThread::ThreadProc(LPVOID)
{
    WSADATA data;
    if (WSAStartup(kWinsock11, &data) != 0)
        return 0;
    GroupSocket().Open(g_hostFolder); // a failed socket only makes every receive fail
    Run();
    GroupSocket().Close();
    WSACleanup();
    return 0;
}

void CReceiveThread::Run()
{
    MirageEngineState& state = EngineState();
    // One byte more than a datagram, so that a longer one shows its length.
    uint8_t buffer[kMirageDatagramSize + 1];
    while (!state.receiveStop) {
        const int length = GroupSocket().Receive(buffer, sizeof buffer);
        if (length != static_cast<int>(kMirageDatagramSize)) {
            Sleep(kAfterBadDatagramMs);
            continue;
        }
        if (buffer[0] == state.ownId || !state.engineActive)
            continue; // our own multicast looped back, or no mode is active
        if (state.receiveStop)
            break;
        state.dataSeen = 1;
        ParsedDatagram datagram;
        if (ParseMirageDatagram(buffer, static_cast<size_t>(length), ReceiveCapacity(state), datagram))
            Dispatch(datagram);
    }
}

void CReceiveThread::Dispatch(const ParsedDatagram& datagram)
{
    switch (datagram.message) {
    case MirageMessage::Stop:
        MirageEngine().Stop();
        MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 0);
        break;
    default:
        break;
    }
}
