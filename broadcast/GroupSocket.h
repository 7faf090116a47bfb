#pragma once
// The engine's one UDP socket on the group of the first mode after the open,
// and the send discipline every thread of the engine follows.
//
// The receive thread opens the socket once a mode has parsed its options and
// keeps it, on that group and port, until the engine closes. Every send waits
// at most 10 ms for the named mutex "domainsocket" (which also orders the
// sends of other engines under the same logon), sends 1,024 bytes, and
// releases the mutex only when the wait obtained it.

#include "framework/Framework.h"

#include <atomic>
#include <string>

class CGroupSocket {
public:
    // Opens, binds, joins and configures the socket; waits (50 ms steps) for
    // a mode's group address first. 0 ready, -1 failure or stop requested.
    int Open(const std::string& hostFolder);
    // Closes the socket and the mutex; later calls find nothing to close.
    // Safe from any thread: the one that takes the handle closes it.
    int Close();

    // Sends one 1,024-byte datagram to the group; `holdMs` is slept while
    // holding the mutex (the header delay). False when nothing was sent.
    bool Send(const void* datagram, DWORD holdMs = 0);
    // The short datagram that wakes the receive thread's blocking receive.
    void SendWakeUp();
    // One datagram into `buffer`: its length, or -1.
    int Receive(void* buffer, int size);

private:
    SOCKET Configure(SOCKET s, const std::string& hostFolder);

    sockaddr_in m_destination = {};
    std::atomic<HANDLE> m_mutex{nullptr};
};

// The engine's socket.
CGroupSocket& GroupSocket();
