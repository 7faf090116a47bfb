// A student's channel report, sent on the classroom group, shown on its seat.

#include "teacher/ClassroomSockets.h"
#include "teacher/KqListCtrl.h"
#include "teacher/tests/TeacherInstall.h"

#include "common/MulticastSocket.h"
#include "widgets/tests/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr uint16_t kMainPort = 6500;
constexpr char kClassroomGroup[] = "227.1.5.7";
constexpr RECT kMapRect = {21, 20, 542, 530};
constexpr UINT kMapId = 1234;
constexpr int kSeat = 2;

// The main window's part: a host for the seat map that reads the classroom
// socket when Windows Sockets says so.
class Host : public CWnd {
public:
    CClassroomSockets sockets;
    CKqListCtrl* map = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CClassroomSockets::kReadMessage) {
            CClassroomSockets::Datagram datagram;
            if (sockets.Receive(datagram) && datagram.kind == kq::ClassroomPortDatagram::JoinNotice)
                kq::ApplyJoinNotice(*map, datagram.notice);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct NoticeCase {
    const char* name;
    uint32_t channel;
    bool joined;
    int state; // the seat's state afterwards
};

TEST(JoinNoticeOnTheSeatMap, ChannelStateWhileWatchingLoggedOnAfter)
{
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    kqtest::TeacherInstall install;
    std::ofstream(install.PathOf("Teacher.ini"), std::ios::binary)
        << "[Ver]\r\nVersionID=770\r\n[SEAT]\r\nSeatCount=2\r\nColumnCount=2\r\nRowCount=1\r\n"
           "1=A1,0,0,0,\r\n2=B1,1,0,0,\r\n";
    Host host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "seat map host", WS_POPUP, 0, 0, 600, 600, nullptr,
                              nullptr));
    host.map = new CKqListCtrl;
    ASSERT_TRUE(host.map->Create(&host, kMapId, &kMapRect));
    host.map->SetSeatState(kSeat, 1);
    ASSERT_TRUE(host.sockets.Open(host.m_hWnd, kMainPort, inet_addr(kClassroomGroup), "0.0.0.0"));

    CMulticastSocket student;
    ASSERT_EQ(student.Create(inet_addr(kClassroomGroup), htons(kMainPort + 10), nullptr, 1), 1);
    const NoticeCase cases[] = {
        {"joins channel 3", 3, true, 12},
        {"value 0 changes nothing", 0, true, 12},
        {"value 21 changes nothing", 21, true, 12},
        {"leaves", 3, false, 1},
        {"joins channel 20", 20, true, 29},
        {"a leave of value 0 changes nothing", 0, false, 29},
    };
    for (const NoticeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const kq::ChannelJoinNotice notice = kq::MakeChannelJoinNotice(c.channel, kSeat, c.joined);
        DWORD sent = 0;
        ASSERT_EQ(student.SendTo(&notice, sizeof notice, &sent, 1), 1);
        kqtest::PumpFor(300);
        EXPECT_EQ(host.map->GetSeatState(kSeat), c.state);
        EXPECT_EQ(host.map->GetSeatState(1), 0) << "the other seat stays";
    }
    host.sockets.Close();
    host.map->DestroyWindow();
    delete host.map;
    host.DestroyWindow();
    student.Close();
    WSACleanup();
}

} // namespace
