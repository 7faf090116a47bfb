#pragma once
// The teacher's two sockets beside the command transport: the classroom
// socket on the classroom group at main port + 10, where students report
// the video channel they watch and ask for the web link list, and the
// signal socket on 227.1.1.6:5999, on which the classroom signal goes out.
// Both are opened once at start on the adapter student.ini names and stay
// open until the main window goes.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ChannelJoinNotice.h"
#include "common/LinkListDatagram.h"

#include <cstdint>
#include <string>

class CKqListCtrl;

// The number the last classroom signal carried; raised before each one, so
// the first carries 1.
extern uint16_t ClassroomSignalSequence;

class CClassroomSockets {
public:
    // What Windows Sockets posts to the window for the classroom socket.
    static constexpr UINT kReadMessage = 0x433;

    CClassroomSockets() = default;
    ~CClassroomSockets() { Close(); }
    CClassroomSockets(const CClassroomSockets&) = delete;
    CClassroomSockets& operator=(const CClassroomSockets&) = delete;

    // Opens both sockets on `adapter` ("0.0.0.0": any); `mainPort` in host
    // order, `classroomGroup` as inet_addr gives it. False at the first
    // failed call; what was made stays open until Close.
    bool Open(HWND window, uint16_t mainPort, uint32_t classroomGroup, const std::string& adapter);
    // Closes each socket that is open.
    void Close();

    struct Datagram {
        kq::ClassroomPortDatagram kind = kq::ClassroomPortDatagram::Other;
        kq::ChannelJoinNotice notice{}; // kind JoinNotice
    };
    // One datagram from the classroom socket, classified; false when the
    // receive failed.
    bool Receive(Datagram& datagram);

    // Raises ClassroomSignalSequence and sends the signal ten times, 2 ms
    // after each send; send errors are left to the repetition.
    void SendSignal(uint8_t command, uint8_t classroom);
    // One datagram to the classroom group at main port + 10; the bytes sent,
    // or SOCKET_ERROR.
    int SendToClassroom(const void* data, int length);

    SOCKET ClassroomSocket() const { return m_classroom; }
    SOCKET SignalSocket() const { return m_signal; }

private:
    SOCKET m_classroom = INVALID_SOCKET;
    SOCKET m_signal = INVALID_SOCKET;
    sockaddr_in m_classroomGroup{};
    sockaddr_in m_signalGroup{};
};

namespace kq {

// A UDP socket with SO_REUSEADDR bound to `port` (network order) on any
// address, member of `group` on `adapter` ("0.0.0.0": any); for another
// adapter that also becomes the sending interface. INVALID_SOCKET at the
// first failed call (the socket is then closed).
SOCKET OpenGroupSocket(uint16_t port, uint32_t group, const std::string& adapter);

// Shows a student's channel report on its seat: the channel's state while
// it watches, logged on once it stopped. False, and no seat touched, for a
// channel value no server gives out.
bool ApplyJoinNotice(CKqListCtrl& seats, const ChannelJoinNotice& notice);

} // namespace kq
