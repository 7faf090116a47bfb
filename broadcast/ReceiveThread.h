#pragma once
// The receive thread: every MirageDatagram of the group comes in here. It
// filters by size, drops the station's own datagrams and everything while no
// mode is active, validates the rest against the engine's buffers and
// dispatches it.

#include "broadcast/DatagramParser.h"

#include "framework/Framework.h"

#include <string>

class CReceiveThread {
public:
    // The worker's entry; `param` is unused. Ends when receiveStop is set.
    static DWORD WINAPI ThreadProc(LPVOID param);

    // The folder whose student.ini names the network adapter.
    static void SetHostFolder(const std::string& folder);

private:
    static void Run();
    static void Dispatch(const ParsedDatagram& datagram);
};
