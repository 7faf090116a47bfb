// The chat against a peer on the classroom group: what leaves, what the
// history shows, the student's end notice and the three ways to close.

#include "common/TalkRecord.h"
#include "student/tests/GroupPeer.h"
#include "teacher/dialogs/ChatDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"

#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using kqtest::Click;
using kqtest::RunModal;
using kqtest::WarningCloser;
using studenttest::GroupPeer;

constexpr char kGroup[] = "239.77.0.3";
constexpr uint16_t kChatPort = 7411;
constexpr DWORD kWaitMs = 3000;
constexpr DWORD kQuietMs = 500;
constexpr int kModalMs = 30000;
const std::string kTeacherEnd(1, static_cast<char>(kq::kTalkTeacherEnded));
const std::string kStudentEnd(1, static_cast<char>(kq::kTalkStudentEnded));

std::string LineRecord(const std::string& text)
{
    std::string record(kq::kTalkRecordSize, '\0');
    record[0] = static_cast<char>(kq::kTalkLine);
    record.replace(1, text.size(), text);
    return record;
}

std::string Repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

void PressEnter(CWnd& dialog)
{
    dialog.GetDlgItem(CChatDlg::kInputId)->PostMessage(WM_KEYDOWN, VK_RETURN, 1);
}

std::string History(CWnd& dialog)
{
    CString text;
    dialog.GetDlgItem(CChatDlg::kHistoryId)->GetWindowText(text);
    return text.GetString();
}

// The next datagram of the size of a line record, skipping the rest.
bool ReceiveLine(GroupPeer& peer, std::string& record)
{
    while (peer.Receive(record, kWaitMs)) {
        if (record.size() == kq::kTalkRecordSize)
            return true;
    }
    return false;
}

int CountTeacherEnds(GroupPeer& peer)
{
    int count = 0;
    std::string bytes;
    while (peer.Receive(bytes, kQuietMs))
        count += bytes == kTeacherEnd ? 1 : 0;
    return count;
}

INT_PTR RunChat(GroupPeer& peer, const std::function<void(CChatDlg&)>& steps)
{
    CChatDlg dialog;
    dialog.m_group = peer.Group();
    dialog.m_port = kChatPort;
    return RunModal(dialog, [&](CDialog& d) { steps(static_cast<CChatDlg&>(d)); }, kModalMs);
}

TEST(ChatDlg, LinesLeaveAsRecordsAndShowWhenTheyComeBack)
{
    GroupPeer peer(kGroup, kChatPort);
    ASSERT_TRUE(peer.Ok());
    const INT_PTR result = RunChat(peer, [&](CChatDlg& chat) {
        kqtest::ExpectFitsItsFrame(chat, TeacherRes::IDB_CHAT_BACKGROUND);
        ASSERT_TRUE(chat.HasSocket());
        CWnd& input = *chat.GetDlgItem(CChatDlg::kInputId);

        // An empty line sends nothing, from the button or from Enter.
        Click(chat, CChatDlg::kSendId);
        PressEnter(chat);
        std::string bytes;
        EXPECT_FALSE(peer.Receive(bytes, kQuietMs)) << bytes.size() << " bytes left";

        // A typed line leaves once and shows once, when the group brings it back.
        // (Typing through the keyboard is the classroom test's part.)
        input.SetWindowText("你好 abc");
        PressEnter(chat);
        std::string record;
        ASSERT_TRUE(ReceiveLine(peer, record));
        EXPECT_EQ(record, LineRecord("教师：你好 abc\r\n"));
        EXPECT_TRUE(kqtest::PumpUntil([&] { return History(chat) == "教师：你好 abc\r\n"; })) << History(chat);
        EXPECT_EQ(chat.m_lastLine, CString("教师：你好 abc\r\n"));
        EXPECT_TRUE(kqtest::SaveScreenShot(chat.m_hWnd, "chat"));
        for (const std::string& fault : kqtest::LayoutFaults(chat.m_hWnd))
            ADD_FAILURE() << "chat: " << fault;

        // The student's line follows; an end record from another window and
        // the idle notice change nothing; a record without a zero byte shows
        // its 199 text bytes.
        std::string noZero(kq::kTalkRecordSize, 'x');
        noZero[0] = static_cast<char>(kq::kTalkLine);
        peer.Send(LineRecord("学生：收到\r\n"));
        peer.Send(kTeacherEnd);
        peer.Send(noZero);
        chat.SendMessage(CChatDlg::WM_CHAT_IDLE, 1, 1);
        const std::string expected = "教师：你好 abc\r\n学生：收到\r\n" + std::string(199, 'x');
        EXPECT_TRUE(kqtest::PumpUntil([&] { return History(chat) == expected; })) << History(chat);
        kqtest::PumpFor(kQuietMs);
        EXPECT_EQ(History(chat), expected);

        // 180 double-byte characters: only 180 bytes of them leave, whole
        // characters, so the record keeps its line end and terminator.
        peer.Drain();
        input.SetWindowText(Repeat("中", CChatDlg::kInputLimit).c_str());
        Click(chat, CChatDlg::kSendId);
        ASSERT_TRUE(ReceiveLine(peer, record));
        EXPECT_EQ(record, LineRecord("教师：" + Repeat("中", CChatDlg::kInputLimit / 2) + "\r\n"));
        EXPECT_EQ(record[1 + 6 + CChatDlg::kInputLimit + 2], '\0');
        peer.Drain();
        Click(chat, CChatDlg::kCloseId);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(ChatDlg, TheStudentsRepeatedEndNoticeShowsOneBoxAndTheChatStays)
{
    GroupPeer peer(kGroup, kChatPort);
    ASSERT_TRUE(peer.Ok());
    WarningCloser closer;
    bool open = false;
    std::string text;
    RunChat(peer, [&](CChatDlg& chat) {
        for (int i = 0; i < 7; ++i)
            peer.Send(kStudentEnd);
        EXPECT_TRUE(kqtest::PumpUntil([] { return WarningCloser::Seen() >= 1; }));
        kqtest::PumpFor(2 * kQuietMs);
        text = WarningCloser::LastText();
        open = ::IsWindow(chat.m_hWnd) && ::IsWindowVisible(chat.m_hWnd);
        Click(chat, CChatDlg::kCloseId);
    });
    EXPECT_EQ(WarningCloser::Seen(), 1);
    CString expected;
    expected.LoadString(TeacherRes::IDS_CHAT_STUDENT_LEFT);
    EXPECT_EQ(text, expected.GetString());
    EXPECT_TRUE(open);
}

TEST(ChatDlg, EveryWayOfClosingSendsEightEndRecords)
{
    const struct {
        const char* way;
        std::function<void(CChatDlg&)> close;
    } ways[] = {
        {"close button 705", [](CChatDlg& chat) { Click(chat, CChatDlg::kCloseId); }},
        {"Esc", [](CChatDlg& chat) { chat.GetDlgItem(CChatDlg::kInputId)->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"caption button 400", [](CChatDlg& chat) { Click(chat, 400); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        GroupPeer peer(kGroup, kChatPort);
        ASSERT_TRUE(peer.Ok());
        const INT_PTR result = RunChat(peer, [&](CChatDlg& chat) {
            ASSERT_TRUE(chat.HasSocket());
            way.close(chat);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(CountTeacherEnds(peer), CChatDlg::kEndRecords);
    }
}

} // namespace
