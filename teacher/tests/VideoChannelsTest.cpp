// Teacher.exe's video channels: the video broadcast dialog in its two modes
// with the channel server and player stand-ins on the test's private
// network (classroom 2: the group 227.1.3.7, the ports 8602 and 8603), the
// seats of watching students, and the small commands around them.

#include "teacher/tests/RemoteListView.h"
#include "teacher/tests/ScreenPixels.h"
#include "teacher/tests/TeachingSession.h"

#include "common/ChannelAnnounce.h"
#include "common/ChannelJoinNotice.h"
#include "common/ChannelWithdraw.h"
#include "common/LecternMessages.h"
#include "common/MulticastSocket.h"
#include "common/VodCommandDatagram.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "widgets/tests/LayoutCheck.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

using kqtest::RemoteListView;
using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr char kGroup[] = "227.1.3.7";   // Multi_MainIP 227.1.1.7, classroom 2
constexpr uint16_t kAnnouncePort = 8602; // 8600 + classroom
constexpr uint16_t kSeatReportPort = 2012; // main port + 10
constexpr char kServerTitle[] = "“晨星”视频广播服务器";
constexpr DWORD kPatienceMs = 5000;
constexpr DWORD kWaitBoxMs = 10000;
constexpr int kColumns = 4;

// The dialog's controls.
constexpr int kList = 717;
constexpr int kPlay = 713, kStop = 715, kAdd = 707, kRemove = 711, kRefresh = 714, kClose = 710, kShow = 866;
constexpr int kNameEdit = 701, kPathEdit = 718, kConfirm = 706;

using Rows = std::vector<std::vector<std::string>>;

std::string Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 0xF];
    }
    return text;
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The classroom as a test peer sees it: announcements and withdrawals sent
// as a channel server would, player commands read back.
class ClassroomPeer {
public:
    ClassroomPeer()
    {
        m_ok = m_socket.Create(inet_addr(kGroup), htons(kAnnouncePort), nullptr, 1) &&
               m_socket.JoinGroup(nullptr, TRUE) &&
               m_seats.Create(inet_addr(kGroup), htons(kSeatReportPort), nullptr, 1);
    }
    bool Ok() const { return m_ok; }

    void Send(const void* data, size_t size) { m_socket.SendTo(data, static_cast<int>(size), nullptr, 1); }
    void Announce(const std::string& name, uint32_t id, int8_t state)
    {
        kq::ChannelAnnounceFields fields;
        fields.state = state;
        fields.value = id;
        fields.name = name;
        std::vector<uint8_t> datagram(kq::kChannelAnnounceMinSize + name.size() + 1);
        Send(datagram.data(), kq::BuildChannelAnnounce(datagram.data(), datagram.size(), fields));
    }
    void Withdraw(const std::string& name)
    {
        std::vector<uint8_t> datagram(name.size() + 2);
        Send(datagram.data(), kq::BuildChannelWithdraw(datagram.data(), datagram.size(), name));
    }
    // A student's channel receiver reports joining or leaving channel `value`.
    void SeatReport(uint32_t value, int seat, bool joined)
    {
        const kq::ChannelJoinNotice notice = kq::MakeChannelJoinNotice(value, static_cast<uint8_t>(seat), joined);
        m_seats.SendTo(&notice, sizeof notice, nullptr, 1);
    }
    // Forgets what arrived so far.
    void Drain() { PlayerCommands(); }
    // The player commands that arrived: (command, channel) once per datagram.
    std::vector<std::pair<int32_t, int32_t>> PlayerCommands(DWORD quietMs = 500)
    {
        std::vector<std::pair<int32_t, int32_t>> commands;
        uint8_t data[1024];
        for (DWORD last = ::GetTickCount(); ::GetTickCount() - last < quietMs; ::Sleep(5)) {
            DWORD length = 0;
            while (m_socket.RecvFrom(data, sizeof data, &length)) {
                last = ::GetTickCount();
                kq::VodCommandDatagram command;
                if (length != sizeof command)
                    continue;
                std::memcpy(&command, data, sizeof command);
                if (command.kind == kq::kVodCommandKind)
                    commands.emplace_back(command.command, command.channel);
            }
        }
        return commands;
    }

private:
    CMulticastSocket m_socket; // the announcement port
    CMulticastSocket m_seats;  // the classroom port
    bool m_ok = false;
};

class VideoChannels : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* program : {"Reelcast.exe", "Vidspool.exe"})
            m_session.Install().CopyIn(program, program);
        ASSERT_TRUE(m_session.Started());
        ASSERT_TRUE(m_peer.Ok());
        m_resources = ::LoadLibraryExA(m_session.Install().PathOf("resource.dll").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_resources, nullptr);
    }
    void TearDown() override
    {
        if (m_resources != nullptr)
            ::FreeLibrary(m_resources);
    }

    void BringOnline()
    {
        for (int seat = 1; seat <= 3; ++seat)
            m_session.Online(seat);
        m_session.NewSends();
    }
    std::string Trace() { return m_session.Install().Trace(); }
    bool Traced(const std::string& text, DWORD ms = kPatienceMs)
    {
        return WaitFor([&] { return m_session.Install().Traced(text); }, ms);
    }

    // The visible top-level window of Teacher.exe that holds control `id`.
    HWND WindowWith(int id, DWORD ms = kPatienceMs)
    {
        return kq::standin::WaitForProcessWindow(
            m_session.Install().ProcessId(),
            [id](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, id) != nullptr; }, ms);
    }
    // Opens the video broadcast dialog by command 871 or 852.
    HWND OpenDialog(UINT command)
    {
        m_session.Command(command);
        return WindowWith(kList);
    }
    // Clicks a button of `window` as its owner sees it, and lets it act.
    void Press(HWND window, int id)
    {
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
        m_session.Settle();
    }
    // The warning the last step showed (its text), closed; "" when none came.
    std::string Warning(DWORD ms = 3000) { return m_session.TakeBox("Warning", ms); }
    bool Warned(UINT id) { return Warning().find(m_session.String(id)) != std::string::npos; }
    bool WaitForRows(RemoteListView& list, size_t count)
    {
        return WaitFor([&] { return static_cast<size_t>(list.Count()) == count; }, kPatienceMs);
    }
    bool WaitForState(RemoteListView& list, const std::string& name, const char* state)
    {
        return WaitFor([&] {
            const int row = list.Find(name);
            return row >= 0 && list.Text(row, 2) == state;
        }, kPatienceMs);
    }
    // Closes the wait box that showing a channel brings up.
    void CloseWaitBox()
    {
        HWND wait = m_session.Install().FindWindowOf("KqWaitTime", kPatienceMs);
        ASSERT_NE(wait, nullptr);
        ::PostMessageA(wait, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(wait); }, kPatienceMs));
        m_session.Settle();
    }
    // Adds a channel through the file dialog, starting the server when needed.
    void AddChannel(HWND dialog, const std::string& name, const std::string& path)
    {
        Press(dialog, kAdd);
        HWND file = WindowWith(kNameEdit);
        ASSERT_NE(file, nullptr);
        ::SendMessageA(::GetDlgItem(file, kNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::SendMessageA(::GetDlgItem(file, kPathEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        Press(file, kConfirm);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(file); }, kPatienceMs)) << Warning();
    }
    void ExpectButtons(HWND dialog, const std::set<int>& shown)
    {
        for (int id : {kPlay, kStop, kAdd, kRemove, kRefresh, kClose, kShow}) {
            SCOPED_TRACE(id);
            HWND button = ::GetDlgItem(dialog, id);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(::IsWindowVisible(button) != FALSE, shown.count(id) == 1);
        }
    }
    void ExpectLooksRight(HWND dialog, const std::string& shot)
    {
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        m_session.Settle();
        EXPECT_TRUE(kqtest::SaveScreenShot(dialog, shot));
        const std::vector<std::string> faults = kqtest::LayoutFaults(dialog);
        EXPECT_TRUE(faults.empty()) << faults.front();
    }
    HWND Seat(int seat) { return ::GetDlgItem(::GetDlgItem(m_session.Main(), 1234), 200 + seat); }
    // Waits until seat `seat` shows `state` (by its icon); the state it shows.
    int SeatState(const kqtest::SeatIcons& icons, int seat, int state)
    {
        int shown = -1;
        WaitFor([&] { return (shown = icons.Shown(Seat(seat))) == state; }, kPatienceMs);
        return shown;
    }
    // The seat states these tests tell apart by their icons.
    kqtest::SeatIcons Icons() const
    {
        return kqtest::SeatIcons(m_resources, {{1, TeacherRes::IDI_SEAT_LOGGED_ON},
                                               {2, TeacherRes::IDI_SEAT_HAND_UP},
                                               {10, TeacherRes::IDI_SEAT_CHANNEL1},
                                               {11, TeacherRes::IDI_SEAT_CHANNEL2},
                                               {12, TeacherRes::IDI_SEAT_CHANNEL3}});
    }
    std::string ChannelSend(const std::string& seats, int count, const std::string& name)
    {
        return kqtest::SendLine(16, count, 0, seats) + " args=01" + Hex(name);
    }

    TeachingSession m_session{{{"Ver", "ClassroomID", "2"}}};
    ClassroomPeer m_peer;
    HMODULE m_resources = nullptr;
    const kq::standin::TempFolder m_videos{"kq-videos"};
};

// A video file the file dialog accepts.
std::string VideoFile(const kq::standin::TempFolder& folder, const std::string& name)
{
    const std::string path = folder / name;
    std::ofstream(path, std::ios::binary) << "video";
    return path;
}

TEST_F(VideoChannels, ManagingChannelsFromTheServersStartToTheProgramsClose)
{
    BringOnline();
    m_session.Select(Selection::Two);
    HWND dialog = OpenDialog(871);
    ASSERT_NE(dialog, nullptr);
    ExpectButtons(dialog, {kPlay, kStop, kAdd, kRemove, kRefresh, kClose});
    RemoteListView list(::GetDlgItem(dialog, kList));
    ASSERT_TRUE(list.Usable());
    EXPECT_EQ(list.Count(), 0);

    // Nothing selected: play, stop and remove only warn.
    for (int id : {kPlay, kStop, kRemove}) {
        SCOPED_TRACE(id);
        Press(dialog, id);
        EXPECT_TRUE(Warned(TeacherRes::IDS_NO_CHANNEL_SELECTED));
    }
    EXPECT_TRUE(m_session.NewSends().empty());

    // The first addition starts the server with the group and the classroom.
    Press(dialog, kAdd);
    EXPECT_NE(kq::standin::WaitForWindow(nullptr, kServerTitle), nullptr);
    EXPECT_TRUE(Traced("Reelcast start group=227.1.3.7 classroom=2")) << Trace();
    HWND server = ::FindWindowA(nullptr, kServerTitle);
    DWORD serverId = 0;
    ::GetWindowThreadProcessId(server, &serverId);
    HANDLE serverProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, serverId);
    ASSERT_NE(serverProcess, nullptr);

    // The file dialog keeps what it cannot use.
    HWND file = WindowWith(kNameEdit);
    ASSERT_NE(file, nullptr);
    ExpectLooksRight(file, "video-file-dialog");
    const std::string lesson = VideoFile(m_videos, "lesson.mpg");
    const struct {
        const char* name;
        std::string path;
        UINT warning;
    } refusals[] = {
        {"   ", lesson, TeacherRes::IDS_CHANNEL_NAME_EMPTY},
        {"影片一", "C:\\a#b.mpg", TeacherRes::IDS_PATH_REJECTED},
        {"影片一", m_videos.Path(), TeacherRes::IDS_FILE_MISSING},
        {"影片一", m_videos / "missing.mpg", TeacherRes::IDS_FILE_MISSING},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.path);
        ::SendMessageA(::GetDlgItem(file, kNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(r.name));
        ::SendMessageA(::GetDlgItem(file, kPathEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(r.path.c_str()));
        Press(file, kConfirm);
        EXPECT_TRUE(Warned(r.warning));
        EXPECT_TRUE(::IsWindow(file));
    }
    ::SendMessageA(::GetDlgItem(file, kNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(" 影片一 "));
    ::SendMessageA(::GetDlgItem(file, kPathEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lesson.c_str()));
    Press(file, kConfirm);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(file); }, kPatienceMs));
    EXPECT_TRUE(Traced("Reelcast add name=影片一 file=" + lesson + " value=1")) << Trace();
    ASSERT_TRUE(WaitForRows(list, 1));
    const std::string serverAddress = list.Text(0, 1);
    EXPECT_EQ(inet_addr(serverAddress.c_str()) != INADDR_NONE, true) << serverAddress;
    EXPECT_EQ(list.Rows(kColumns), (Rows{{"影片一", serverAddress, "停止", "1"}}));

    AddChannel(dialog, "Movie", lesson);
    ASSERT_TRUE(WaitForRows(list, 2));
    EXPECT_EQ(list.Rows(kColumns)[1], (std::vector<std::string>{"Movie", serverAddress, "停止", "2"}));
    ExpectLooksRight(dialog, "video-broadcast-manage");

    // Stop everything while the dialog is open clears the main window's
    // block and sends with it: the dialog still has the targets it opened with.
    m_session.Event(kq::kEventStopAll, 0);
    const std::vector<std::string> stopAll = m_session.NewSends();
    ASSERT_EQ(stopAll.size(), 1u);
    EXPECT_EQ(stopAll[0].rfind("code=0 count=0 ", 0), 0u) << stopAll[0];

    // Play: the server, the students and the wait box of ten seconds.
    list.Select(0);
    Press(dialog, kPlay);
    EXPECT_TRUE(Traced("Reelcast command value=1 command=1")) << Trace();
    HWND wait = m_session.Install().FindWindowOf("KqWaitTime", kPatienceMs);
    ASSERT_NE(wait, nullptr);
    const DWORD shown = ::GetTickCount();
    EXPECT_TRUE(WaitForState(list, "影片一", "播放"));
    const std::vector<std::string> sends = m_session.NewSends();
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0], ChannelSend("1,2", 2, "影片一"));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(wait); }, kWaitBoxMs + kPatienceMs));
    EXPECT_GE(::GetTickCount() - shown, kWaitBoxMs - 1000);

    // Stop goes out once; a stopped row is not stopped again.
    Press(dialog, kStop);
    EXPECT_TRUE(WaitForState(list, "影片一", "停止"));
    const size_t stops = Occurrences(Trace(), "Reelcast command value=1 command=2");
    EXPECT_EQ(stops, 5u) << "one stop, five datagrams";
    Press(dialog, kStop);
    m_peer.Drain();
    EXPECT_EQ(Occurrences(Trace(), "Reelcast command value=1 command=2"), stops);

    // Refresh empties the rows: a channel the server does not know goes
    // from the rows, the server's come back with their numbers.
    m_peer.Announce("Ghost", 77, kq::kChannelPlaying);
    ASSERT_TRUE(WaitForRows(list, 3));
    Press(dialog, kRefresh);
    EXPECT_TRUE(Traced("Reelcast query"));
    ASSERT_TRUE(WaitFor([&] { return list.Count() == 2 && list.Find("Ghost") < 0; }, kPatienceMs));
    EXPECT_EQ(list.Rows(kColumns),
              (Rows{{"影片一", serverAddress, "停止", "1"}, {"Movie", serverAddress, "停止", "2"}}));

    // Bad datagrams change nothing; the last one names a channel by all
    // the bytes it has.
    const uint8_t tooShort[] = {kq::kChannelAnnounceKind, 1, 9};
    m_peer.Send(tooShort, sizeof tooShort);
    m_peer.Announce("", 9, kq::kChannelPlaying); // no name to list it by
    m_peer.Withdraw("Nobody");
    std::vector<uint8_t> unterminated(1024, 'L');
    unterminated[0] = kq::kChannelAnnounceKind;
    unterminated[1] = kq::kChannelPlaying;
    const uint32_t longId = 50;
    std::memcpy(&unterminated[2], &longId, sizeof longId);
    m_peer.Send(unterminated.data(), unterminated.size());
    ASSERT_TRUE(WaitForRows(list, 3));
    const std::string longName(1024 - kq::kChannelAnnounceMinSize, 'L');
    EXPECT_EQ(list.Text(2, 0), longName);
    EXPECT_EQ(list.Rows(kColumns)[0], (std::vector<std::string>{"影片一", serverAddress, "停止", "1"}));

    // Shown to the students, the name is cut where the seat list begins.
    list.Select(2);
    Press(dialog, kPlay);
    CloseWaitBox();
    const std::vector<std::string> longSends = m_session.NewSends();
    ASSERT_EQ(longSends.size(), 1u);
    EXPECT_EQ(longSends[0], ChannelSend("1,2", 2, longName.substr(0, 258)));
    m_peer.Withdraw(longName);
    ASSERT_TRUE(WaitForRows(list, 2));

    // An announcement in another letter case is the same channel.
    m_peer.Announce("MOVIE", 2, kq::kChannelPaused);
    EXPECT_TRUE(WaitForState(list, "Movie", "暂停"));
    EXPECT_EQ(list.Count(), 2);

    // Nine channels playing or paused (Movie, Ghost and seven more): no
    // tenth is played, here or in the teacher's own player.
    for (uint32_t id = 101; id <= 107; ++id)
        m_peer.Announce("C" + std::to_string(id), id, kq::kChannelPlaying);
    ASSERT_TRUE(WaitForRows(list, 9));
    const int first = list.Find("影片一");
    list.Select(first);
    Press(dialog, kPlay);
    EXPECT_TRUE(Warned(TeacherRes::IDS_TOO_MANY_CHANNELS_PLAYING));
    list.DoubleClick(first);
    EXPECT_TRUE(Warned(TeacherRes::IDS_TOO_MANY_CHANNELS_PLAYING));
    EXPECT_TRUE(m_session.NewSends().empty());
    for (uint32_t id = 101; id <= 107; ++id)
        m_peer.Withdraw("C" + std::to_string(id));
    ASSERT_TRUE(WaitForRows(list, 2));

    // Remove: the server withdraws it and the row goes.
    list.Select(list.Find("影片一"));
    Press(dialog, kRemove);
    EXPECT_TRUE(Traced("Reelcast remove name=影片一")) << Trace();
    EXPECT_FALSE(m_session.Install().Traced("(unknown)")) << Trace();
    ASSERT_TRUE(WaitForRows(list, 1));
    EXPECT_EQ(list.Text(0, 0), "Movie");

    Press(dialog, kClose);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kPatienceMs));

    // Closing stops every active channel on the group, the paused one and
    // the one the server no longer announced, then ends the server.
    m_peer.Drain();
    m_session.Command(400);
    HWND question = m_session.Install().FindWindowOf("KqYesNoDlg");
    ASSERT_NE(question, nullptr);
    ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(706, BN_CLICKED), 0);
    std::vector<std::pair<int32_t, int32_t>> commands = m_peer.PlayerCommands(2000);
    std::sort(commands.begin(), commands.end());
    const std::vector<std::pair<int32_t, int32_t>> expected(5, {kq::kVodCommandStop, 2});
    std::vector<std::pair<int32_t, int32_t>> stopsOf77(5, {kq::kVodCommandStop, 77});
    std::vector<std::pair<int32_t, int32_t>> both = expected;
    both.insert(both.end(), stopsOf77.begin(), stopsOf77.end());
    EXPECT_EQ(commands, both);
    ASSERT_EQ(::WaitForSingleObject(serverProcess, kPatienceMs * 2), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(serverProcess, &exitCode);
    EXPECT_EQ(exitCode, 2u);
    ::CloseHandle(serverProcess);
    EXPECT_TRUE(m_session.Install().WaitForExit());
}

TEST_F(VideoChannels, WatchingSeatsFollowTheirChannels)
{
    BringOnline();
    const kqtest::SeatIcons icons = Icons();
    const std::string lesson = VideoFile(m_videos, "lesson.mpg");

    HWND dialog = OpenDialog(871);
    ASSERT_NE(dialog, nullptr);
    RemoteListView list(::GetDlgItem(dialog, kList));
    AddChannel(dialog, "A", lesson);
    ASSERT_TRUE(WaitForRows(list, 1));
    AddChannel(dialog, "B", lesson);
    ASSERT_TRUE(WaitForRows(list, 2));
    for (const char* name : {"A", "B"}) {
        list.Select(list.Find(name));
        Press(dialog, kPlay);
        CloseWaitBox();
        EXPECT_TRUE(WaitForState(list, name, "播放"));
    }
    m_session.NewSends();
    // Seat 1 watches A (channel 1), seat 2 watches B (channel 2).
    m_peer.SeatReport(1, 1, true);
    m_peer.SeatReport(2, 2, true);

    // A double click opens A in the teacher's own player.
    list.Select(list.Find("A"));
    list.DoubleClick(list.Find("A"));
    HWND player = kq::standin::WaitForWindow("Velmora2000IISth", "晨星放映");
    ASSERT_NE(player, nullptr);
    // Out of the seats' way.
    ::SetWindowPos(player, nullptr, 0, ::GetSystemMetrics(SM_CYSCREEN) - 130, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Traced("Vidspool channel caller=teacher origin=" + list.Text(0, 1) + " channel=1 ")) << Trace();
    Press(dialog, kClose);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kPatienceMs));
    EXPECT_EQ(SeatState(icons, 1, 10), 10);
    EXPECT_EQ(SeatState(icons, 2, 11), 11);

    // The player ends A: exactly A's watchers are back to logged on.
    ::PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Traced("Vidspool end channel=1 teacher=found")) << Trace();
    m_session.Settle();
    EXPECT_EQ(SeatState(icons, 1, 1), 1);
    EXPECT_EQ(SeatState(icons, 2, 11), 11);
    EXPECT_EQ(SeatState(icons, 3, 1), 1);

    // A stops; seat 1 still reports it.
    dialog = OpenDialog(871);
    ASSERT_NE(dialog, nullptr);
    RemoteListView again(::GetDlgItem(dialog, kList));
    ASSERT_TRUE(WaitForRows(again, 2));
    again.Select(again.Find("A"));
    Press(dialog, kStop);
    EXPECT_TRUE(WaitForState(again, "A", "停止"));
    Press(dialog, kClose);
    m_peer.SeatReport(1, 1, true);
    EXPECT_EQ(SeatState(icons, 1, 10), 10);

    // Showing a channel only: two buttons, a stopped channel refused, and a
    // double click that does nothing.
    m_session.Select(Selection::None);
    dialog = OpenDialog(852);
    ASSERT_NE(dialog, nullptr);
    ExpectButtons(dialog, {kShow, kClose});
    RemoteListView shown(::GetDlgItem(dialog, kList));
    ASSERT_TRUE(WaitForRows(shown, 2));
    EXPECT_TRUE(WaitForState(shown, "A", "停止"));
    ExpectLooksRight(dialog, "video-broadcast-show");
    shown.Select(shown.Find("A"));
    Press(dialog, kShow);
    EXPECT_TRUE(Warned(TeacherRes::IDS_CHANNEL_STOPPED));
    const std::string before = Trace();
    shown.Select(shown.Find("B"));
    shown.DoubleClick(shown.Find("B"));
    m_session.Settle();
    EXPECT_EQ(Occurrences(Trace(), "Vidspool start"), Occurrences(before, "Vidspool start"));
    EXPECT_EQ(Occurrences(Trace(), "Reelcast command"), Occurrences(before, "Reelcast command"));
    Press(dialog, kShow);
    CloseWaitBox();
    EXPECT_EQ(m_session.NewSends(), (std::vector<std::string>{ChannelSend("", 0, "B")}));
    Press(dialog, kClose);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, kPatienceMs));

    // Afterwards the watchers of the stopped channel are logged on again.
    EXPECT_EQ(SeatState(icons, 1, 1), 1);
    EXPECT_EQ(SeatState(icons, 2, 11), 11);
}

TEST_F(VideoChannels, EndingViewsAndSwitchingSound)
{
    const auto soundSwitch = [&](WPARAM on) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(m_session.Main(), 0x439, on, 0, SMTO_NORMAL, kPatienceMs, &result);
        return static_cast<LRESULT>(result);
    };
    // Nobody on line: the sound switch sends nothing.
    EXPECT_EQ(soundSwitch(0), -1);
    EXPECT_TRUE(m_session.NewSends().empty());

    BringOnline();
    EXPECT_EQ(soundSwitch(0), 0);
    EXPECT_EQ(soundSwitch(1), 0);
    EXPECT_EQ(m_session.NewSends(), (std::vector<std::string>{"code=44 count=0 param=1 extra=1 seats= args=",
                                                               "code=43 count=0 param=1 extra=1 seats= args="}));

    // The end of a view keeps what the last command left in the block.
    m_session.Select(Selection::Two);
    m_session.Command(872);
    EXPECT_EQ(m_session.NewSends(), (std::vector<std::string>{"code=17 count=2 param=1 extra=1 seats=1,2 args="}));

    // Ending a seat's activity: seat 1 raised its hand and 309 calls for it.
    const kqtest::SeatIcons icons = Icons();
    m_session.Event(3, 1);
    m_session.Post(0x435, MAKELONG(2, 1), 0);
    HWND chat = ::GetDlgItem(::GetDlgItem(m_session.Main(), 1000), 309);
    ASSERT_NE(chat, nullptr);
    EXPECT_TRUE(kqtest::ShowsFace(chat, m_resources, TeacherRes::IDB_CHAT_HAND_UP_UP));
    m_session.NewSends();

    // Nothing selected lists no seat: nothing is sent and the seat keeps its
    // state. (Clearing the selection gives 309 its usual faces.)
    m_session.Select(Selection::None);
    m_session.Command(868);
    EXPECT_TRUE(m_session.NewSends().empty());
    EXPECT_EQ(SeatState(icons, 1, 2), 2);
    EXPECT_TRUE(kqtest::ShowsFace(chat, m_resources, TeacherRes::IDB_CHAT_UP));

    // Two seats: only the first, logged on again; 309 looks as usual.
    m_session.Select(Selection::Two);
    m_session.Command(868);
    EXPECT_EQ(m_session.NewSends(), (std::vector<std::string>{"code=42 count=1 param=0 extra=0 seats=1 args="}));
    m_session.Select(Selection::None);
    EXPECT_EQ(SeatState(icons, 1, 1), 1);
    EXPECT_TRUE(kqtest::ShowsFace(chat, m_resources, TeacherRes::IDB_CHAT_UP));
}

TEST(VideoChannelsWithoutSeats, NothingIsSentToAMapWithoutSeats)
{
    TeachingSession session({{"SEAT", "SeatCount", "0"}});
    ASSERT_TRUE(session.Started());
    session.Command(872);
    EXPECT_TRUE(session.NewSends().empty());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(session.Main(), 0x439, 1, 0, SMTO_NORMAL, kPatienceMs, &result);
    EXPECT_EQ(static_cast<LRESULT>(result), -1);
    for (UINT command : {868u, 852u, 871u}) {
        SCOPED_TRACE(command);
        session.Command(command);
        EXPECT_NE(session.TakeBox().find(session.String(TeacherRes::IDS_NO_SEAT_ONLINE)), std::string::npos);
    }
    EXPECT_TRUE(session.NewSends().empty());
}

} // namespace
