#pragma once
// CWakeOnLan: switches student PCs on by broadcasting the magic packet for
// each adapter address the seat map knows. Owns one UDP socket, bound (and
// sending) to the wire port 18189, from Open to Close.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/WinsockUse.h"
#include "teacher/SeatRecord.h"

#include <cstdint>

class CWakeOnLan {
public:
    CWakeOnLan() = default;
    virtual ~CWakeOnLan();
    CWakeOnLan(const CWakeOnLan&) = delete;
    CWakeOnLan& operator=(const CWakeOnLan&) = delete;

    // 0 when ready, -1 on failure (the socket is then closed).
    int Open();
    // Sends count + 1 packets for the adapter `mac` (none for count < 0).
    // A MAC text that is not 12 characters long sends nothing. `debug`
    // non-zero shows the packet's head in a message box. Returns the
    // packets sent.
    int SendMagicPacket(const char* mac, int debug, int count);
    // Shuts the socket down and closes it; ends what Open started.
    void Close();

    // SendMagicPacket(mac, 0, count) for every cell of the used part of
    // `grid` that has a MAC text, row by row. Returns the packets sent.
    int WakeSeats(const kq::SeatGrid& grid, int rowCount, int columnCount, int count);

    // What the seat map's command sends per adapter: four packets.
    static constexpr int kSeatRepeats = 3;

private:
    CWinsockUse m_winsock; // started by Open, ended by Close
    SOCKET m_socket = INVALID_SOCKET;
    sockaddr_in m_local{};
    sockaddr_in m_destination{};
    uint16_t m_portField = 0;
    uint32_t m_group = 0;
};
