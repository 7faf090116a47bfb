// The main window's own datagrams: the classroom and signal sockets, the
// students' channel reports, the classroom signal, Wake-on-LAN and the
// channel-viewing state.

#include "teacher/TeacherWnd.h"

#include "common/AdapterAddress.h"
#include "teacher/Globals.h"
#include "teacher/WakeOnLan.h"
#include "teacher/dialogs/MessageBoxes.h"

#include <vector>

namespace {

constexpr char kPowerOnQuestion[] = "此功能需要学生机的主板及网卡支持，是否确定远程开启学生机？";

} // namespace

int CTeacherWnd::CreateSockets()
{
    const kq::TeacherConfig& config = m_settings.config;
    return m_classroomSockets.Open(m_hWnd, config.MainPort, config.classroomGroup, kq::ReadAdapterAddress()) ? 1
                                                                                                             : 0;
}

void CTeacherWnd::CloseSockets()
{
    m_classroomSockets.Close();
}

LRESULT CTeacherWnd::OnSocketRead(WPARAM, LPARAM)
{
    CClassroomSockets::Datagram datagram;
    if (!m_classroomSockets.Receive(datagram))
        return 0;
    switch (datagram.kind) {
    case kq::ClassroomPortDatagram::JoinNotice:
        if (m_seatMap != nullptr)
            kq::ApplyJoinNotice(*m_seatMap, datagram.notice);
        break;
    case kq::ClassroomPortDatagram::LinkListRequest:
        LinkListRequested();
        break;
    case kq::ClassroomPortDatagram::Other:
        break; // the teacher's own link-list sends among them
    }
    return 0;
}

void CTeacherWnd::SendClassroomSignal(uint8_t command)
{
    m_classroomSockets.SendSignal(command, m_settings.options.ClassroomID);
}

int CTeacherWnd::SendOnClassroomSocket(const void* data, int length)
{
    return m_classroomSockets.SendToClassroom(data, length);
}

void CTeacherWnd::OnRemotePowerOn()
{
    if (!kq::AskYesNo(CString(kPowerOnQuestion)))
        return;
    if (m_seatMap == nullptr)
        return;
    CWakeOnLan sender;
    sender.Open(); // a failed open only makes the sends fail
    const kq::CSeatArrangement& seats = m_seatMap->Arrangement();
    sender.WakeSeats(seats.Grid(), seats.RowCount(), seats.ColumnCount(), CWakeOnLan::kSeatRepeats);
    sender.Close();
}

void CTeacherWnd::UpdateChannelViewing()
{
    ActivityState = 0;
    if (!kq::AnyChannelActive(m_videoChannels)) {
        m_channelViewing = 0;
        UpdateButtonStates();
        return;
    }
    ActivityState = 1;
    std::vector<int> states;
    if (m_seatMap != nullptr) {
        uint16_t count = 0;
        uint8_t list[kq::kMaxSeats] = {};
        m_seatMap->GetSelectedSeats(&count, list, 0);
        if (count == 0 || count == kq::kNoSeats)
            m_seatMap->GetOnlineSeats(&count, list);
        if (count == kq::kNoSeats)
            count = 0;
        for (uint16_t i = 0; i < count && i < kq::kMaxSeats; ++i)
            states.push_back(m_seatMap->GetSeatState(list[i]));
    }
    m_channelViewing = kq::ChannelViewingFlag(states);
    UpdateButtonStates();
}
