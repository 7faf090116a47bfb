#include "teacher/WakeOnLan.h"

#include "framework/Framework.h"

#include "common/AdapterAddress.h"
#include "common/GroupMembership.h"
#include "common/WakeOnLanPacket.h"

namespace {

constexpr DWORD kShortSendPauseMs = 50;
constexpr DWORD kPacketPauseMs = 1;

bool SetFlag(SOCKET s, int level, int name)
{
    const BOOL on = TRUE;
    return setsockopt(s, level, name, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

} // namespace

CWakeOnLan::~CWakeOnLan()
{
    Close();
}

int CWakeOnLan::Open()
{
    // The port field goes into the addresses unconverted: wire port 18189.
    m_portField = kq::kWakeOnLanPortField;
    m_group = inet_addr(kq::kWakeOnLanGroup);

    if (m_winsock.Start(CWinsockUse::kVersion11) != 0)
        return -1;
    if (m_socket != INVALID_SOCKET)
        return 0;
    m_socket = socket(AF_INET, SOCK_DGRAM, 0);
    if (m_socket == INVALID_SOCKET)
        return -1;

    m_local = sockaddr_in{};
    m_local.sin_family = AF_INET;
    m_local.sin_port = m_portField;
    m_local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!kq::BindShared(m_socket, m_local.sin_port, m_local.sin_addr.s_addr) ||
        !SetFlag(m_socket, SOL_SOCKET, SO_BROADCAST)) {
        Close();
        return -1;
    }

    if (!kq::JoinAndSendOn(m_socket, m_group, kq::AdapterInterface(kq::ReadAdapterAddress()))) {
        Close();
        return -1;
    }
    const int timeToLive = kq::kWakeOnLanTimeToLive;
    if (setsockopt(m_socket, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&timeToLive),
                   sizeof timeToLive) != 0) {
        Close();
        return -1;
    }
    m_destination = m_local;
    m_destination.sin_addr.s_addr = m_group;
    return 0;
}

int CWakeOnLan::SendMagicPacket(const char* mac, int debug, int count)
{
    kq::WakeOnLanPacket packet;
    if (!kq::BuildWakeOnLanPacket(mac, packet))
        return 0;
    const char* bytes = reinterpret_cast<const char*>(&packet);
    const int size = sizeof packet;
    int sent = 0;
    for (int i = 0; i <= count; ++i) {
        m_destination.sin_family = AF_INET;
        m_destination.sin_port = m_portField;
        m_destination.sin_addr.s_addr = htonl(INADDR_BROADCAST);
        const sockaddr* to = reinterpret_cast<const sockaddr*>(&m_destination);
        int result = sendto(m_socket, bytes, size, 0, to, sizeof m_destination);
        if (result != size) {
            Sleep(kShortSendPauseMs);
            result = sendto(m_socket, bytes, size, 0, to, sizeof m_destination);
        }
        if (result == size)
            ++sent;
        Sleep(kPacketPauseMs);
    }
    if (debug != 0)
        AfxMessageBox(kq::FormatWakeOnLanPacket(packet).c_str());
    return sent;
}

void CWakeOnLan::Close()
{
    if (m_socket != INVALID_SOCKET) {
        shutdown(m_socket, SD_BOTH);
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
    m_winsock.Stop();
}

int CWakeOnLan::WakeSeats(const kq::SeatGrid& grid, int rowCount, int columnCount, int count)
{
    int sent = 0;
    for (int row = 0; row < rowCount && row < kq::kSeatGridRows; ++row)
        for (int column = 0; column < columnCount && column < kq::kSeatGridColumns; ++column) {
            const std::string& mac = grid[row][column].mac;
            if (!mac.empty())
                sent += SendMagicPacket(mac.c_str(), 0, count);
        }
    return sent;
}
