// Teacher.exe's seat editing, groups, text commands and classroom question,
// driven from outside: its dialogs found by their controls, the blocks read
// from the recording transport, Teacher.ini from disk and the classroom
// signal from a probe on its group.

#include "teacher/tests/TeachingSession.h"

#include "common/ClassroomSignal.h"
#include "common/MulticastSocket.h"
#include "widgets/tests/LayoutCheck.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr UINT kFunctionPanel = 1000;
constexpr UINT kPanelA = 1002;
constexpr UINT kSeatMap = 1234;
constexpr DWORD kBoxPatienceMs = 3000;

// Controls that tell the dialogs apart.
constexpr UINT kEditorGrid = 10;
constexpr UINT kEditorFill = 719;
constexpr UINT kGroupBox = 780;
constexpr UINT kFirstGroupName = 814;
constexpr UINT kLineText = 701;
constexpr UINT kPresetBox = 856;
constexpr UINT kFirstAnswer = 791;
constexpr UINT kSecondAnswer = 792;
constexpr UINT kConfirm = 706;
constexpr UINT kCancel = 705;
constexpr UINT kCloseButton = 400;

std::string Repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

std::string Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

// The field of a recorded block line: "code=8 count=3 ..." -> "3" for "count".
std::string Field(const std::string& line, const std::string& name)
{
    const size_t at = line.find(name + "=");
    if (at == std::string::npos)
        return {};
    const size_t start = at + name.size() + 1;
    return line.substr(start, line.find(' ', start) - start);
}

class ClassroomArrangement : public testing::Test {
protected:
    HWND Dialog(TeachingSession& session, UINT id, DWORD timeoutMs = kBoxPatienceMs)
    {
        return session.DialogWith(id, timeoutMs);
    }
    void Press(TeachingSession& session, HWND dialog, UINT id) { session.Press(dialog, id); }
    static void SetText(HWND dialog, UINT id, const std::string& text) { TeachingSession::SetText(dialog, id, text); }
    static bool Enabled(TeachingSession& session, UINT panel, UINT id)
    {
        return ::IsWindowEnabled(::GetDlgItem(::GetDlgItem(session.Main(), panel), id)) != FALSE;
    }
    static std::string FileText(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static int SeatWindows(TeachingSession& session)
    {
        int seats = 0;
        for (int id = 201; id <= 360; ++id)
            seats += ::GetDlgItem(::GetDlgItem(session.Main(), kSeatMap), id) != nullptr;
        return seats;
    }
    static void ExpectLaidOut(HWND dialog, const char* shot)
    {
        EXPECT_TRUE(kqtest::SaveScreenShot(dialog, shot));
        for (const std::string& fault : kqtest::LayoutFaults(dialog))
            ADD_FAILURE() << shot << ": " << fault;
    }
    // The one block sent since the last look; empty when none or several.
    static std::string OneSend(TeachingSession& session)
    {
        const std::vector<std::string> sends = session.NewSends();
        EXPECT_EQ(sends.size(), 1u);
        return sends.size() == 1 ? sends[0] : std::string();
    }
};

TEST_F(ClassroomArrangement, SeatEditingRearrangesTheRoomAndTheClassLogsOnAgain)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Online(1);
    session.NewSends();

    session.Command(313);
    HWND editor = Dialog(session, kEditorFill);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(Enabled(session, kFunctionPanel, 301)) << "the panels rest while the editor is open";
    EXPECT_FALSE(Enabled(session, kPanelA, 501));
    EXPECT_TRUE(session.NewSends().empty());
    SetText(editor, 1, "40");
    SetText(editor, 3, "6");
    Press(session, editor, kEditorFill);
    ExpectLaidOut(editor, "seat-editor-filled");
    Press(session, editor, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }, kBoxPatienceMs));

    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(19, 0, 0, ""), 0), 0u) << "the whole class logs on again";
    EXPECT_TRUE(Enabled(session, kFunctionPanel, 301));
    auto& install = session.Install();
    EXPECT_EQ(install.IniValue("SEAT", "SeatCount"), "40");
    EXPECT_EQ(install.IniValue("SEAT", "ColumnCount"), "6");
    EXPECT_EQ(install.IniValue("SEAT", "RowCount"), "7");
    EXPECT_EQ(install.IniValue("SEAT", "1"), "A1,0,0,1,");
    EXPECT_EQ(install.IniValue("SEAT", "36"), "F6,5,5,6,");
    EXPECT_EQ(install.IniValue("SEAT", "37"), "A7,0,6,1,");
    EXPECT_EQ(install.IniValue("SEAT", "40"), "D7,3,6,4,");
    EXPECT_EQ(SeatWindows(session), 40);
    EXPECT_EQ(session.OnlineSeats(), "") << "every new seat starts off line";

    // Cancel changes nothing, but the class is told all the same.
    const std::string before = FileText(install.PathOf("Teacher.ini"));
    session.Command(313);
    editor = Dialog(session, kEditorFill);
    ASSERT_NE(editor, nullptr);
    Press(session, editor, kCancel);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }, kBoxPatienceMs));
    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(19, 0, 0, ""), 0), 0u);
    EXPECT_EQ(FileText(install.PathOf("Teacher.ini")), before);
}

TEST_F(ClassroomArrangement, GroupSetupStoresOnlyTheGroupsAndSendsNothing)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    auto& install = session.Install();
    const std::string before = FileText(install.PathOf("Teacher.ini"));

    session.Command(312);
    HWND dialog = Dialog(session, kGroupBox);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kBoxPatienceMs));
    EXPECT_EQ(FileText(install.PathOf("Teacher.ini")), before) << "confirmed without a move";

    session.Command(312);
    dialog = Dialog(session, kGroupBox);
    ASSERT_NE(dialog, nullptr);
    ::SendMessageA(::GetDlgItem(dialog, kGroupBox), CB_SETCURSEL, 3, 0); // group 4
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kGroupBox, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kGroupBox)));
    ::SendMessageA(::GetDlgItem(dialog, 781), LB_SETSEL, TRUE, 2); // C1
    Press(session, dialog, 707);
    Press(session, dialog, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kBoxPatienceMs));
    EXPECT_EQ(install.IniValue("SEAT", "3"), "C1,2,0,4,");
    EXPECT_EQ(install.IniValue("SEAT", "1"), "A1,0,0,0,");
    EXPECT_EQ(install.IniValue("SEAT", "SeatCount"), "3");
    EXPECT_EQ(install.IniValue("SEAT", "ColumnCount"), "3");
    EXPECT_EQ(install.IniValue("SEAT", "RowCount"), "1");
    EXPECT_TRUE(session.NewSends().empty());
}

TEST_F(ClassroomArrangement, GroupTeachingNamesTheGroupsAndAddressesTheirMembers)
{
    // A1 and B1 in group 1, C1 in group 2.
    TeachingSession session({{"SEAT", "1", "A1,0,0,1,"}, {"SEAT", "2", "B1,1,0,1,"}, {"SEAT", "3", "C1,2,0,2,"}});
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.NewSends();

    session.Command(311);
    HWND dialog = Dialog(session, kFirstGroupName);
    ASSERT_NE(dialog, nullptr);
    ExpectLaidOut(dialog, "group-teaching");
    SetText(dialog, kFirstGroupName + 1, "二组");
    Press(session, dialog, kConfirm);
    EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_GROUP_NAME_MISSING)), std::string::npos);
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, ::GetDlgItem(dialog, kFirstGroupName)) << "the focus is in the nameless group's edit";
    EXPECT_TRUE(session.NewSends().empty());

    const std::string wide = Repeat("组", 30); // 60 bytes for a 30-byte field
    SetText(dialog, kFirstGroupName, wide);
    Press(session, dialog, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kBoxPatienceMs));
    const std::string send = OneSend(session);
    EXPECT_EQ(send.rfind(kqtest::SendLine(8, 3, 0, "1,2,3"), 0), 0u) << send;
    const std::string first = "010102" + Hex(wide.substr(0, 30)) + "00";
    // The recorder leaves out the zero bytes at the end: groups 3 to 6 are empty.
    const std::string second = "020301" + Hex("二组");
    EXPECT_EQ(Field(send, "args"), first + second) << send;
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(session.Main()); }, kBoxPatienceMs)) << "minimised";
    EXPECT_FALSE(Enabled(session, kPanelA, 501)) << "group work runs";
}

TEST_F(ClassroomArrangement, GroupTeachingWithoutGroupsOnLineSendsNothing)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Online(1);
    session.NewSends();
    session.Command(311);
    HWND dialog = Dialog(session, kFirstGroupName);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kBoxPatienceMs));
    EXPECT_TRUE(session.NewSends().empty());
    EXPECT_TRUE(::IsWindowVisible(session.Main()));
}

TEST_F(ClassroomArrangement, GroupTalkSendsTheTopicAsAGroupRecord)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.Select(Selection::One);
    session.NewSends();

    session.Command(310);
    HWND dialog = Dialog(session, kLineText);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kConfirm);
    EXPECT_TRUE(session.TakeBox("Warning", 300).empty()) << "an empty line shows no box";
    EXPECT_TRUE(::IsWindowVisible(dialog));
    SetText(dialog, kLineText, Repeat("论", 30));
    Press(session, dialog, kConfirm);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kBoxPatienceMs));
    std::string send = OneSend(session);
    EXPECT_EQ(send.rfind(kqtest::SendLine(7, 0, 0, "2"), 0), 0u) << send;
    EXPECT_EQ(Field(send, "args"), "000000" + Hex(Repeat("论", 15))) << "ends by byte 33 of the record";
    EXPECT_FALSE(Enabled(session, kPanelA, 501));
}

TEST_F(ClassroomArrangement, NoticeAndBlankedScreensSendTheirTexts)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.NewSends();

    // The first preset stands in the box.
    session.Command(303);
    HWND dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kConfirm);
    std::string send = OneSend(session);
    EXPECT_EQ(send.rfind(kqtest::SendLine(21, 0, 0, ""), 0), 0u) << send;
    EXPECT_EQ(Field(send, "args"), Hex(session.String(57436)));

    const struct {
        const char* typed;
        std::string args;
    } texts[] = {{"  放学了  ", Hex("放学了")}, {"", ""}};
    for (const auto& t : texts) {
        session.Command(303);
        dialog = Dialog(session, kPresetBox);
        ASSERT_NE(dialog, nullptr);
        SetText(dialog, kPresetBox, t.typed);
        Press(session, dialog, kConfirm);
        send = OneSend(session);
        EXPECT_EQ(send.rfind(kqtest::SendLine(21, 0, 0, ""), 0), 0u) << send;
        EXPECT_EQ(Field(send, "args"), t.args) << t.typed;
    }

    session.Command(303);
    dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kCancel);
    EXPECT_TRUE(session.NewSends().empty());

    // A command that runs while the box is open (the hand-up switch, to the
    // whole class) does not change whom the notice goes to.
    session.SelectSeat(2);
    session.Command(303);
    dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr);
    session.Command(790);
    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(39, 0, 0, ""), 0), 0u);
    Press(session, dialog, kConfirm);
    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(21, 1, 0, "2"), 0), 0u);

    // Blanking A1 and B1; blanking ends for A1 alone, B1 stays dark.
    session.Select(Selection::Two);
    session.Command(304);
    dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kPresetBox, "请看黑板");
    Press(session, dialog, kConfirm);
    send = OneSend(session);
    EXPECT_EQ(send.rfind(kqtest::SendLine(22, 2, 0, "1,2"), 0), 0u) << send;
    EXPECT_EQ(Field(send, "args"), Hex("请看黑板"));
    EXPECT_FALSE(Enabled(session, kPanelA, 501)) << "blanking runs";
    EXPECT_TRUE(Enabled(session, kFunctionPanel, 304));
    session.SelectSeat(1);
    session.Command(304);
    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(41, 1, 0, "1"), 0), 0u);
    session.Command(304); // still on for B1: ends again rather than asking
    EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(41, 1, 0, "1"), 0), 0u);
    EXPECT_EQ(Dialog(session, kPresetBox, 300), nullptr);

    // Cancel turns nothing on.
    session.Select(Selection::All);
    session.Command(304);
    EXPECT_EQ(OneSend(session).rfind("code=41 ", 0), 0u) << "B1 comes back";
    EXPECT_TRUE(Enabled(session, kPanelA, 501));
    session.Command(304);
    dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr);
    Press(session, dialog, kCancel);
    EXPECT_TRUE(session.NewSends().empty());
    EXPECT_TRUE(Enabled(session, kPanelA, 501));
}

TEST_F(ClassroomArrangement, MenuOfASeatReachesTheNotice)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Online(1);
    session.NewSends();
    HWND seat = ::GetDlgItem(::GetDlgItem(session.Main(), kSeatMap), 201);
    ASSERT_NE(seat, nullptr);
    ::PostMessageA(seat, WM_RBUTTONUP, 0, MAKELPARAM(36, 10));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = ::FindWindowA("#32768", nullptr)) != nullptr && ::IsWindowVisible(menu); },
                        kBoxPatienceMs));
    for (int i = 0; i < 6; ++i)
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND dialog = Dialog(session, kPresetBox);
    ASSERT_NE(dialog, nullptr) << "item 303 opened the notice's text box";
    Press(session, dialog, kCancel);
    EXPECT_TRUE(session.NewSends().empty());
}

// ---- The classroom question ----

std::vector<std::string> Drain(CMulticastSocket& socket, DWORD quietMs = 500)
{
    std::vector<std::string> received;
    char buffer[64];
    for (DWORD last = ::GetTickCount(); ::GetTickCount() - last < quietMs; ::Sleep(5)) {
        DWORD length = 0;
        while (socket.RecvFrom(buffer, sizeof buffer, &length)) {
            received.emplace_back(buffer, length);
            last = ::GetTickCount();
        }
    }
    return received;
}

TEST_F(ClassroomArrangement, ClassroomQuestionSignalsAndTakesTheClassOffLine)
{
    WSADATA data;
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    CMulticastSocket probe;
    ASSERT_EQ(probe.Create(inet_addr(kq::kClassroomSignalGroup), htons(kq::kClassroomSignalPort), nullptr, 1), 1);
    ASSERT_EQ(probe.JoinGroup(nullptr, 1), 1);
    {
        TeachingSession session({{"Ver", "ClassroomID", "5"}});
        ASSERT_TRUE(session.Started());
        uint16_t lastSequence = 0;
        const struct {
            UINT answer;
            uint8_t command;
        } answers[] = {{kFirstAnswer, 1}, {kSecondAnswer, 0}};
        for (const auto& a : answers) {
            SCOPED_TRACE(a.answer);
            session.Online(1);
            session.Online(2);
            session.NewSends();
            Drain(probe, 50);
            session.Command(317);
            HWND question = Dialog(session, kFirstAnswer);
            ASSERT_NE(question, nullptr);
            if (a.answer == kFirstAnswer)
                ExpectLaidOut(question, "classroom-question-317");
            Press(session, question, a.answer);
            const std::vector<std::string> signals = Drain(probe);
            ASSERT_EQ(signals.size(), 10u);
            kq::DecodedClassroomSignal signal;
            ASSERT_TRUE(kq::DecodeClassroomSignal(reinterpret_cast<const uint8_t*>(signals[0].data()),
                                                  signals[0].size(), signal));
            EXPECT_EQ(signal.command, a.command);
            EXPECT_EQ(signal.argument, 5);
            EXPECT_NE(signal.sequence, lastSequence) << "a new sequence number";
            lastSequence = signal.sequence;
            for (const std::string& repeat : signals)
                EXPECT_EQ(repeat, signals[0]);
            EXPECT_EQ(OneSend(session).rfind(kqtest::SendLine(0, 0, 0, ""), 0), 0u);
            EXPECT_EQ(session.OnlineSeats(), "") << "every seat waits for its PC to log on again";
        }

        // Cancel, Esc and the close button send nothing.
        session.Online(1);
        session.NewSends();
        for (UINT way : {kCancel, UINT{IDCANCEL}, kCloseButton}) {
            SCOPED_TRACE(way);
            session.Command(317);
            HWND question = Dialog(session, kFirstAnswer);
            ASSERT_NE(question, nullptr);
            if (way == IDCANCEL)
                ::PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
            else
                Press(session, question, way);
            ASSERT_TRUE(WaitFor([&] { return !::IsWindow(question); }, kBoxPatienceMs));
            EXPECT_TRUE(session.NewSends().empty());
            EXPECT_TRUE(Drain(probe, 200).empty());
        }
    }
    probe.Close();
    ::WSACleanup();
}

} // namespace
