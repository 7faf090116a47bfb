#pragma once
// The receive thread: every MirageDatagram of the group comes in here. It
// filters by size, drops the station's own datagrams and everything while no
// mode is active, validates the rest against the engine's buffers, rebuilds
// the screens it carries, replays remote input and tells the viewer's
// windows and the host what happened.

#include "broadcast/DatagramParser.h"
#include "broadcast/FrameAssembler.h"

#include "framework/Framework.h"

#include <string>

class CReceiveThread {
public:
    // The worker's entry; `param` is unused. Ends when receiveStop is set.
    static DWORD WINAPI ThreadProc(LPVOID param);

    // The folder whose student.ini names the network adapter.
    static void SetHostFolder(const std::string& folder);

    // Handles one accepted datagram as the thread does (also for the
    // receiver benchmark, which runs the receive path on its own thread).
    static void Dispatch(const ParsedDatagram& datagram);

    // The engine's receive path over its buffers (made at the thread's start).
    static CFrameAssembler& Assembler();
    static void ResetAssembler();

private:
    static void Run();
    static void OnControl(const ParsedDatagram& datagram);
    static void OnInput(const ParsedDatagram& datagram);
    static void OnFrameEnd(const ParsedDatagram& datagram);
    static void ApplySenderFlags(const ParsedDatagram& frameEnd);
    static void OnWatchSelect(const ParsedDatagram& datagram);
    static void ReplayMouse(const ParsedDatagram& datagram);
    static void ReplayKey(const ParsedDatagram& datagram);
    static void TakeGeometry();
};
