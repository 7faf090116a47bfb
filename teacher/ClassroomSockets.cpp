#include "teacher/ClassroomSockets.h"

#include "common/AdapterAddress.h"
#include "common/ClassroomSignal.h"
#include "common/GroupMembership.h"
#include "teacher/KqListCtrl.h"
#include "teacher/VideoChannelList.h"

uint16_t ClassroomSignalSequence = 0;

namespace {

// Enough for any datagram this port carries (a link-list entry included).
constexpr int kReceiveBufferSize = 512;

sockaddr_in Endpoint(uint32_t address, uint16_t port)
{
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_addr.s_addr = address;
    endpoint.sin_port = port;
    return endpoint;
}

} // namespace

namespace kq {

SOCKET OpenGroupSocket(uint16_t port, uint32_t group, const std::string& adapter)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET)
        return INVALID_SOCKET;
    if (!BindShared(s, port, htonl(INADDR_ANY)) || !JoinAndSendOn(s, group, AdapterInterface(adapter))) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

bool ApplyJoinNotice(CKqListCtrl& seats, const ChannelJoinNotice& notice)
{
    int state = 0;
    if (!SeatStateForJoinNotice(notice, state))
        return false;
    seats.SetSeatState(notice.seat, state); // a seat the map does not hold is ignored there
    return true;
}

} // namespace kq

bool CClassroomSockets::Open(HWND window, uint16_t mainPort, uint32_t classroomGroup, const std::string& adapter)
{
    const uint16_t classroomPort = htons(static_cast<uint16_t>(mainPort + kq::kClassroomPortOffset));
    m_classroomGroup = Endpoint(classroomGroup, classroomPort);
    m_signalGroup = Endpoint(inet_addr(kq::kClassroomSignalGroup), htons(kq::kClassroomSignalPort));

    m_classroom = kq::OpenGroupSocket(classroomPort, classroomGroup, adapter);
    if (m_classroom == INVALID_SOCKET)
        return false;
    if (WSAAsyncSelect(m_classroom, window, kReadMessage, FD_READ) != 0)
        return false;
    m_signal = kq::OpenGroupSocket(m_signalGroup.sin_port, m_signalGroup.sin_addr.s_addr, adapter);
    return m_signal != INVALID_SOCKET;
}

void CClassroomSockets::Close()
{
    for (SOCKET* s : {&m_classroom, &m_signal}) {
        if (*s != INVALID_SOCKET) {
            closesocket(*s);
            *s = INVALID_SOCKET;
        }
    }
}

bool CClassroomSockets::Receive(Datagram& datagram)
{
    uint8_t buffer[kReceiveBufferSize];
    const int length = recv(m_classroom, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    if (length == SOCKET_ERROR)
        return false;
    datagram = Datagram{};
    datagram.kind = kq::ClassifyClassroomPortDatagram(buffer, static_cast<size_t>(length));
    if (datagram.kind == kq::ClassroomPortDatagram::JoinNotice)
        kq::ParseChannelJoinNotice(buffer, static_cast<size_t>(length), datagram.notice);
    return true;
}

void CClassroomSockets::SendSignal(uint8_t command, uint8_t classroom)
{
    ++ClassroomSignalSequence;
    uint8_t bytes[sizeof(kq::ClassroomSignal)];
    kq::EncodeClassroomSignal(command, classroom, ClassroomSignalSequence, bytes);
    for (int i = 0; i < kq::kClassroomSignalRepeats; ++i) {
        sendto(m_signal, reinterpret_cast<const char*>(bytes), sizeof bytes, 0,
               reinterpret_cast<const sockaddr*>(&m_signalGroup), sizeof m_signalGroup);
        Sleep(kq::kClassroomSignalPauseMs);
    }
}

int CClassroomSockets::SendToClassroom(const void* data, int length)
{
    return sendto(m_classroom, static_cast<const char*>(data), length, 0,
                  reinterpret_cast<const sockaddr*>(&m_classroomGroup), sizeof m_classroomGroup);
}
