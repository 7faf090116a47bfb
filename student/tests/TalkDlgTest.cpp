// The talk window against a peer on the classroom group.

#include "common/TalkRecord.h"
#include "student/TalkDlg.h"
#include "student/tests/GroupPeer.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include "common/ProgramFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using studenttest::GroupPeer;

constexpr char kGroup[] = "239.77.0.2";
constexpr uint16_t kTalkPort = 7311;
constexpr DWORD kWaitMs = 3000;
const std::string kStudentEnd(1, static_cast<char>(kq::kTalkStudentEnded));

std::string LineRecord(const std::string& line)
{
    std::string record(kq::kTalkRecordSize, '\0');
    record[0] = static_cast<char>(kq::kTalkLine);
    record.replace(1, line.size(), line);
    return record;
}

// Counts the end notices that arrive, ignoring every other datagram.
int CountEndNotices(GroupPeer& peer)
{
    int count = 0;
    std::string bytes;
    while (peer.Receive(bytes, 500))
        count += bytes == kStudentEnd ? 1 : 0;
    return count;
}

void Prepare(CTalkDlg& dialog, const GroupPeer& peer)
{
    dialog.m_classroomGroup = peer.Group();
    dialog.m_port = kTalkPort;
}

TEST(TalkDlg, LinesShowOnlyWhenTheyComeBackAndCloseSendsSevenEndNotices)
{
    GroupPeer peer(kGroup, kTalkPort);
    ASSERT_TRUE(peer.Ok());
    CTalkDlg dialog;
    Prepare(dialog, peer);
    std::string noZero(kq::kTalkRecordSize, 'x');
    noZero[0] = static_cast<char>(kq::kTalkLine);
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        auto& talk = static_cast<CTalkDlg&>(d);
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_TALK_BACKGROUND);
        ASSERT_TRUE(talk.HasSocket());
        talk.GetDlgItem(CTalkDlg::kSendId)->SendMessage(BM_CLICK); // an empty input
        std::string sent;
        ASSERT_TRUE(peer.Receive(sent, kWaitMs));
        EXPECT_EQ(sent, LineRecord("学生：\r\n")) << "200 bytes, zero-filled";

        peer.Send(LineRecord("教师：你好\r\n"));
        peer.Send(kStudentEnd); // another student left
        peer.Send(noZero);
        const CString expected = CString("学生：\r\n") + "教师：你好\r\n" + std::string(199, 'x').c_str();
        EXPECT_TRUE(kqtest::PumpUntil([&] { return talk.m_conversation == expected; }))
            << static_cast<const char*>(talk.m_conversation);
        CString shown;
        talk.GetDlgItem(CTalkDlg::kConversationId)->GetWindowText(shown);
        EXPECT_EQ(shown, expected);

        std::string chinese;
        for (int i = 0; i < CTalkDlg::kInputMaxChars; ++i)
            chinese += "中";
        peer.Drain();
        talk.GetDlgItem(CTalkDlg::kInputId)->SetWindowText(chinese.c_str());
        talk.PostMessage(WM_KEYDOWN, VK_RETURN, 1); // Enter sends
        std::string cut;
        while (peer.Receive(cut, kWaitMs) && cut.size() != kq::kTalkRecordSize) {
        }
        EXPECT_EQ(cut, LineRecord("学生：" + chinese.substr(0, 190) + "\r\n")) << "cut to fit its record";
        peer.Drain();
        talk.GetDlgItem(CTalkDlg::kCloseId)->SendMessage(BM_CLICK);
    }, 20000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(CountEndNotices(peer), CTalkDlg::kEndNotices);
}

TEST(TalkDlg, TheTeachersEndClosesTheWindowWithOneRoundOfNotices)
{
    GroupPeer peer(kGroup, kTalkPort);
    ASSERT_TRUE(peer.Ok());
    CTalkDlg dialog;
    Prepare(dialog, peer);
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog&) {
        peer.Send(std::string(1, static_cast<char>(kq::kTalkTeacherEnded)));
    }, 20000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(CountEndNotices(peer), CTalkDlg::kEndNotices);
}

// This PC's own IPv4 address on the route to the group: the address a
// connected datagram socket is given (connecting sends nothing).
std::string OwnAddress()
{
    const SOCKET probe = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in group = {};
    group.sin_family = AF_INET;
    group.sin_port = htons(kTalkPort);
    group.sin_addr.s_addr = ::inet_addr(kGroup);
    sockaddr_in local = {};
    int length = sizeof local;
    std::string address;
    char text[INET_ADDRSTRLEN] = {};
    if (::connect(probe, reinterpret_cast<const sockaddr*>(&group), sizeof group) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&local), &length) == 0 && local.sin_addr.s_addr != 0 &&
        ::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text) != nullptr)
        address = text;
    ::closesocket(probe);
    return address;
}

// The adapter address comes from the student.ini beside the running program.
class AdapterSetting {
public:
    explicit AdapterSetting(const std::string& address) : m_ini(kq::GetProgramFolder() + "student.ini")
    {
        ::WritePrivateProfileStringA("NETADAPTER", "IPADDRESS", address.c_str(), m_ini.c_str());
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_ini.c_str());
    }
    ~AdapterSetting() { ::DeleteFileA(m_ini.c_str()); }

private:
    std::string m_ini;
};

TEST(TalkDlg, ASocketOnTheAdapterAddressHearsTheGroup)
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    const std::string own = OwnAddress();
    ::WSACleanup();
    ASSERT_FALSE(own.empty()) << "the test network gives this PC an address";
    for (const std::string& adapter : {own, std::string("0.0.0.0")}) {
        SCOPED_TRACE(adapter);
        AdapterSetting setting(adapter);
        GroupPeer peer(kGroup, kTalkPort);
        ASSERT_TRUE(peer.Ok());
        CTalkDlg dialog;
        Prepare(dialog, peer);
        const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
            auto& talk = static_cast<CTalkDlg&>(d);
            ASSERT_TRUE(talk.HasSocket());
            peer.Send(LineRecord("教师：hello\r\n"));
            EXPECT_TRUE(kqtest::PumpUntil([&] { return talk.m_conversation == CString("教师：hello\r\n"); }));
            talk.GetDlgItem(CTalkDlg::kCloseId)->SendMessage(BM_CLICK);
        }, 20000);
        EXPECT_EQ(result, IDCANCEL);
    }
}

TEST(TalkDlg, AnEndpointOutsideTheRulesLeavesNoSocket)
{
    CTalkDlg dialog;
    dialog.m_classroomGroup = ::inet_addr("10.0.0.1"); // no group
    dialog.m_port = kTalkPort;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        EXPECT_FALSE(static_cast<CTalkDlg&>(d).HasSocket());
        d.GetDlgItem(CTalkDlg::kSendId)->SendMessage(BM_CLICK); // nothing to send with
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

} // namespace
