// Teacher.exe's station settings driven from outside: the settings dialog
// (641), the button sets (643, menu 1132), the popup settings of a running
// broadcast (839), the three-field message (315), the homework server at
// start (0x437), the update announcement, help (402), F5 and the group tabs
// of the tool page. Read back from the recording transport's trace, the
// stand-ins' traces, Teacher.ini at exit, the files written, datagrams on
// the private network and the screen.

#include "teacher/tests/ScreenPixels.h"
#include "teacher/tests/TeachingSession.h"

#include "common/ConfigNotice.h"
#include "common/LecternMessages.h"
#include "common/MulticastSocket.h"
#include "common/ProgramFolder.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "teacher/ButtonSet.h"
#include "widgets/tests/LayoutCheck.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::TeachingSession;
using kqtest::WaitFor;

constexpr UINT kSettings = 641;
constexpr UINT kButtonSets = 643;
constexpr UINT kButtonSetMenuItem = 1132;
constexpr UINT kMessage = 315;
constexpr UINT kBroadcast = 501;
constexpr UINT kPopSettings = 839;
constexpr UINT kToolBarStop = 837;
constexpr UINT kRecordSwitch = 838;
constexpr UINT kHelp = 402;
constexpr UINT kWholeClassTab = 556;
constexpr UINT kFirstGroupTab = 550;
constexpr UINT kRestartHomework = 0x437;
constexpr UINT kSelectionCleared = 0x438;

constexpr int kOkId = 706;
constexpr int kCancelId = 705;
constexpr int kTabsId = 725;
constexpr DWORD kNoBoxMs = 800;

// The test's own sockets (the proxy's listener, the announcement's peer).
class Winsock : public testing::Environment {
public:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { ::WSACleanup(); }
};
const testing::Environment* const kWinsock = testing::AddGlobalTestEnvironment(new Winsock);

// ---- Reading what happened ----

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The trace lines that start with `prefix`, after the first `skip` bytes.
std::vector<std::string> TraceLines(TeachingSession& session, const std::string& prefix, size_t skip = 0)
{
    session.Settle();
    const std::string trace = session.Install().Trace();
    std::istringstream lines(trace.substr(std::min(skip, trace.size())));
    std::vector<std::string> found;
    for (std::string line; std::getline(lines, line);) {
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

size_t TraceMark(TeachingSession& session)
{
    session.Settle();
    return session.Install().Trace().size();
}

// The block's parameters as the recorder shows them: hex up to the last
// non-zero byte, args[0] being block offset 5.
std::string ArgsHex(const std::vector<std::pair<size_t, std::string>>& texts)
{
    unsigned char args[259] = {};
    for (const auto& [offset, text] : texts)
        std::memcpy(args + offset - 5, text.data(), text.size());
    size_t end = sizeof args;
    while (end > 0 && args[end - 1] == 0)
        --end;
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < end; ++i)
        hex += std::string{kHex[args[i] >> 4], kHex[args[i] & 15]};
    return hex;
}

std::string PortArgs(int port)
{
    return ArgsHex({{5, std::string{static_cast<char>(port & 0xFF), static_cast<char>(port >> 8)}}});
}

bool Has(const std::string& box, TeachingSession& session, UINT id)
{
    return !box.empty() && box.find(session.String(id)) != std::string::npos;
}

// ---- Windows of Teacher.exe ----

HWND Descendant(HWND root, int id)
{
    struct Find {
        int id;
        HWND found = nullptr;
    } find{id};
    ::EnumChildWindows(
        root,
        [](HWND child, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            if (::GetDlgCtrlID(child) == f->id)
                f->found = child;
            return f->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// The visible top-level window of the teacher that holds control `id`.
HWND DialogWith(TeachingSession& session, int id, DWORD timeoutMs = 5000)
{
    return kq::standin::WaitForProcessWindow(
        session.Install().ProcessId(),
        [id](HWND window) { return ::IsWindowVisible(window) && Descendant(window, id) != nullptr; }, timeoutMs);
}

bool Gone(HWND window)
{
    return WaitFor([window] { return !::IsWindow(window) || !::IsWindowVisible(window); }, 5000);
}

void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Descendant(dialog, id)));
}

void SetText(HWND dialog, int id, const std::string& text)
{
    ::SendMessageA(Descendant(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetCheck(HWND dialog, int id, bool on)
{
    ::SendMessageA(Descendant(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// A click that the control handles as the user's: auto radios clear their
// group, and the command reaches the dialog.
void Click(TeachingSession& session, HWND dialog, int id)
{
    ::SendMessageA(Descendant(dialog, id), BM_CLICK, 0, 0);
    session.Settle();
}

bool Checked(HWND dialog, int id)
{
    return ::SendMessageA(Descendant(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Clicks the ear of page `pageId` at (x, 10) of the page.
void ShowPage(TeachingSession& session, HWND dialog, int pageId, int x)
{
    HWND page = Descendant(dialog, pageId);
    ::SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
    ::SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    session.Settle();
}

void ExpectLaidOut(HWND dialog, const char* shot)
{
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog, shot));
    for (const std::string& fault : kqtest::LayoutFaults(dialog)) {
        // A check box or radio without a caption has no text to cut; its
        // font, measured from this process, is the system's.
        if (fault.rfind("Button ", 0) == 0 && fault.find(" \"\": text ") != std::string::npos)
            continue;
        ADD_FAILURE() << shot << ": " << fault;
    }
}

// ---- Settings ----

constexpr int kFolderId = 813;
constexpr int kSharePortId = 740;
constexpr int kMonitoringId = 829;
constexpr int kNoMonitoringId = 828;
constexpr int kWatchId = 830;
constexpr int kHomeworkId = 726;
constexpr int kRingId = 727;
constexpr int kTipsId = 731;
constexpr int kRecordId = 728;
constexpr int kCompressionZeroId = 732;
constexpr int kCompressionOneId = 733;
constexpr int kClassroomId = 794;
constexpr int kClassroomNumberId = 795;
constexpr int kProxyId = 735;
constexpr int kProxyNameId = 859;
constexpr int kSendToSeatId = 720;
constexpr int kQueryProxyId = 858;
constexpr int kProxyAddressId = 737;
constexpr int kProxyPortId = 738;

const std::vector<TeachingSession::IniValue> kRecvIni = {{"Other", "RecvPath", "C:\\recv"}};

HWND OpenSettings(TeachingSession& session)
{
    session.Command(kSettings);
    return DialogWith(session, kTabsId);
}

// The port of the last code 34 the start sent.
int StartPort(TeachingSession& session)
{
    const auto sends = TraceLines(session, "Lectern send code=34 ");
    if (sends.empty())
        return -1;
    const std::string& line = sends.back();
    const std::string args = line.substr(line.find("args=") + 5);
    return args.size() < 2 ? 0 : std::stoi(args.substr(0, 2), nullptr, 16) +
                                     (args.size() >= 4 ? std::stoi(args.substr(2, 2), nullptr, 16) << 8 : 0);
}

TEST(Settings, StartAndOkPushOptionsConfigAndTheHomeworkSettings)
{
    TeachingSession session(kRecvIni);
    ASSERT_TRUE(session.Started());
    // 0x437 at start: the folder with one backslash, then code 34 with the
    // port (KqDesk is on: param 3).
    EXPECT_EQ(TraceLines(session, "KqTransmit StartFileServer folder=C:\\recv\\ ").size(), 1u);
    const int port = StartPort(session);
    ASSERT_GT(port, 0);
    EXPECT_EQ(TraceLines(session, "Lectern send code=34 ").back(),
              "Lectern send " + kqtest::SendLine(34, 0, 3, "") + " args=" + PortArgs(port));

    // OK with monitoring off and an interval it would refuse: options, then
    // config, then code 34 with the same port and no second start.
    HWND dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    Click(session, dialog, kNoMonitoringId);
    SetText(dialog, kWatchId, "61");
    SetText(dialog, kFolderId, "C:\\a=b");
    size_t mark = TraceMark(session);
    Press(dialog, kOkId);
    EXPECT_TRUE(Gone(dialog));
    std::vector<std::string> lectern = TraceLines(session, "Lectern ", mark);
    ASSERT_EQ(lectern.size(), 3u);
    EXPECT_EQ(lectern[0].rfind("Lectern options ", 0), 0u);
    EXPECT_EQ(lectern[1].rfind("Lectern config ", 0), 0u);
    EXPECT_EQ(lectern[2], "Lectern send " + kqtest::SendLine(34, 0, 3, "") + " args=" + PortArgs(port));
    EXPECT_TRUE(TraceLines(session, "KqTransmit StartFileServer", mark).empty());
    session.NewSends();

    // Homework off: the server quits, bit 0 is clear, no port.
    dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    SetCheck(dialog, kHomeworkId, false);
    mark = TraceMark(session);
    Press(dialog, kOkId);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(TraceLines(session, "KqTransmit QuitFileServer", mark).size(), 1u);
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(34, 0, 2, "") + " args="});

    // Homework on again: a new start, its folder with one backslash.
    dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    SetCheck(dialog, kHomeworkId, true);
    SetText(dialog, kFolderId, "C:\\recv2\\");
    mark = TraceMark(session);
    Press(dialog, kOkId);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(TraceLines(session, "KqTransmit StartFileServer folder=C:\\recv2\\ ", mark).size(), 1u);
    const std::vector<std::string> sends = session.NewSends();
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].rfind(kqtest::SendLine(34, 0, 3, ""), 0), 0u);

    ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.Install().WaitForExit());
    EXPECT_EQ(session.Install().IniValue("Other", "RecvPath"), "C:\\recv2\\");
    EXPECT_EQ(session.Install().IniValue("Other", "Homework"), "1");
    EXPECT_EQ(session.Install().IniValue("Other", "AutoMonitor"), "0");
    EXPECT_EQ(session.Install().IniValue("Setup", "WatchInterval"), "0");
    EXPECT_EQ(session.Install().IniValue("Setup", "Hits"), "8");
}

TEST(Settings, ARejectedEntryStoresNothingEvenAfterCancel)
{
    TeachingSession session({{"Other", "RecvPath", "C:\\recv\\"}});
    ASSERT_TRUE(session.Started());
    // The start passes a folder that has its backslash unchanged.
    EXPECT_EQ(TraceLines(session, "KqTransmit StartFileServer folder=C:\\recv\\ ").size(), 1u);
    // The keys that the rejected dialogs would have written first.
    const char* const keys[][2] = {{"Other", "Ring"},     {"Other", "EnableTip"},   {"Other", "Homework"},
                                   {"Other", "RecvPath"}, {"Other", "SharePort"},   {"Other", "AutoMonitor"},
                                   {"Setup", "Hits"},     {"Setup", "WatchInterval"}, {"Setup", "Record"}};
    std::vector<std::string> before;
    for (const auto& key : keys)
        before.push_back(session.Install().IniValue(key[0], key[1]));

    struct Case {
        const char* folder;
        const char* sharePort;
        bool monitoring;
        const char* interval;
        UINT message;
    } const cases[] = {
        {"", "8080", false, "5", TeacherRes::IDS_RECEIVE_FOLDER_EMPTY},
        {"C:", "8080", false, "5", TeacherRes::IDS_RECEIVE_FOLDER_LENGTH},
        {"CC\\x", "8080", false, "5", TeacherRes::IDS_RECEIVE_FOLDER_NO_DRIVE},
        {"C:\\a?b", "8080", false, "5", TeacherRes::IDS_RECEIVE_FOLDER_CHARACTER},
        {"C:\\other", "0", false, "5", TeacherRes::IDS_SHARE_PORT_ZERO},
        {"C:\\other", "8080", true, "61", TeacherRes::IDS_WATCH_INTERVAL_LONG},
        {"C:\\other", "8080", true, "4", TeacherRes::IDS_WATCH_INTERVAL_SHORT},
    };
    const size_t mark = TraceMark(session);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        HWND dialog = OpenSettings(session);
        ASSERT_NE(dialog, nullptr);
        // Fields before the rejected step change too.
        SetCheck(dialog, kRingId, false);
        SetCheck(dialog, kTipsId, false);
        SetCheck(dialog, kHomeworkId, false);
        SetText(dialog, kFolderId, c.folder);
        SetText(dialog, kSharePortId, c.sharePort);
        Click(session, dialog, c.monitoring ? kMonitoringId : kNoMonitoringId);
        SetText(dialog, kWatchId, c.interval);
        Press(dialog, kOkId);
        EXPECT_TRUE(Has(session.TakeBox(), session, c.message));
        EXPECT_TRUE(::IsWindowVisible(dialog));
        Press(dialog, kCancelId);
        EXPECT_TRUE(Gone(dialog));
    }
    EXPECT_TRUE(session.NewSends().empty());
    EXPECT_TRUE(TraceLines(session, "Lectern options", mark).empty());
    EXPECT_TRUE(TraceLines(session, "Lectern config", mark).empty());
    EXPECT_TRUE(TraceLines(session, "KqTransmit", mark).empty());

    ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.Install().WaitForExit());
    for (size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(session.Install().IniValue(keys[i][0], keys[i][1]), before[i]) << keys[i][1];
    EXPECT_EQ(session.Install().IniValue("Other", "Ring"), "1");
}

TEST(Settings, ClassroomRecordProxyAndTheButtonsThatActAtOnce)
{
    TeachingSession session(kRecvIni, {"KQ_PROXYWARD_QueryProxy=-2147467259"});
    ASSERT_TRUE(session.Started());

    // Nobody on line: 720 has no seat.
    HWND dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    Press(dialog, kSendToSeatId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_NO_SEAT_ONLINE));
    Press(dialog, kCancelId);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_TRUE(session.NewSends().empty());

    // 720 addresses the first target, or the first on-line seat when none
    // or all are selected.
    session.Online(2);
    session.Online(3);
    struct Target {
        Selection selection;
        const char* seat;
    } const targets[] = {{Selection::None, "2"}, {Selection::All, "2"}, {Selection::One, "2"}};
    for (const Target& t : targets) {
        session.Select(t.selection);
        dialog = OpenSettings(session);
        ASSERT_NE(dialog, nullptr);
        Press(dialog, kSendToSeatId);
        session.Settle();
        EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(35, 1, 0, t.seat) + " args="});
        Press(dialog, kCancelId);
        EXPECT_TRUE(Gone(dialog));
    }
    session.SelectSeat(3);
    dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    Press(dialog, kSendToSeatId);
    session.Settle();
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(35, 1, 0, "3") + " args="});

    // Every page on the screen, nothing outside the dialog or cut.
    const struct {
        int page, ear;
        const char* shot;
    } pages[] = {{721, 40, "settings-classroom"}, {722, 130, "settings-broadcast"},
                 {723, 230, "settings-students"}, {724, 320, "settings-network"}};
    for (const auto& p : pages) {
        ShowPage(session, dialog, p.page, p.ear);
        ExpectLaidOut(dialog, p.shot);
    }

    // 858: the scripted failing call counts as no answer, and the program
    // stays up; then no listener; then a listener on this network.
    Click(session, dialog, kProxyId);
    ::SendMessageA(Descendant(dialog, kProxyAddressId), IPM_SETADDRESS, 0, MAKEIPADDRESS(127, 0, 0, 1));
    SOCKET listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    int size = sizeof local;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&local), &size);
    SetText(dialog, kProxyPortId, std::to_string(ntohs(local.sin_port)));
    Press(dialog, kQueryProxyId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_PROXY_NOT_ANSWERING));
    Press(dialog, kQueryProxyId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_PROXY_NOT_ANSWERING));
    ASSERT_EQ(::listen(listener, 1), 0);
    Press(dialog, kQueryProxyId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_PROXY_ANSWERING));
    ::closesocket(listener);
    EXPECT_TRUE(::IsWindow(session.Main()));

    // Compression 1 clears and disables the record box.
    SetCheck(dialog, kRecordId, true);
    ShowPage(session, dialog, 722, 130);
    Click(session, dialog, kCompressionOneId);
    EXPECT_FALSE(Checked(dialog, kRecordId));
    EXPECT_FALSE(::IsWindowEnabled(Descendant(dialog, kRecordId)));
    // A changed classroom number, an empty proxy address (ProxyIp stays)
    // and forty double-byte characters in the proxy's user name.
    ShowPage(session, dialog, 721, 40);
    Click(session, dialog, kClassroomId);
    SetText(dialog, kClassroomNumberId, "3");
    ::SendMessageA(Descendant(dialog, kProxyAddressId), IPM_CLEARADDRESS, 0, 0);
    std::string name;
    for (int i = 0; i < 40; ++i)
        name += "\xD6\xD0"; // 中
    SetText(dialog, kProxyNameId, name);
    const size_t mark = TraceMark(session);
    Press(dialog, kOkId);
    // The notice comes once, after every check; then the settings go out.
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_CLASSROOM_CHANGED));
    EXPECT_TRUE(session.TakeBox("Warning", kNoBoxMs).empty());
    EXPECT_TRUE(Gone(dialog));
    const std::vector<std::string> config = TraceLines(session, "Lectern config ", mark);
    ASSERT_EQ(config.size(), 1u);
    EXPECT_NE(config[0].find(" compress=1 "), std::string::npos) << config[0];
    EXPECT_NE(config[0].find(" record=0"), std::string::npos) << config[0];

    ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.Install().WaitForExit());
    EXPECT_EQ(session.Install().IniValue("Ver", "ClassroomID"), "3");
    EXPECT_EQ(session.Install().IniValue("Other", "Access"), "1");
    EXPECT_EQ(session.Install().IniValue("Other", "ProxyIp"), "0.0.0.0");
    EXPECT_EQ(session.Install().IniValue("Setup", "Record"), "0");
    const std::string stored = session.Install().IniValue("Other", "ProxyName");
    EXPECT_EQ(stored, name.substr(0, 54)) << "27 whole characters fit the 56-byte field";
}

TEST(Settings, WithoutTheServiceObjectTheQueryWarns)
{
    TeachingSession session(kRecvIni);
    ASSERT_TRUE(session.Started());
    HWND dialog = OpenSettings(session);
    ASSERT_NE(dialog, nullptr);
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Proxyward.HttpService");
    Click(session, dialog, kProxyId);
    Press(dialog, kQueryProxyId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_PROXY_SERVICE_MISSING));
    Press(dialog, kCancelId);
    EXPECT_TRUE(Gone(dialog));
}

// ---- Button sets ----

constexpr int kPathId = 1127;
constexpr int kFirstBoxId = 1006;

TEST(ButtonSets, OkWritesTheThreeFilesAndTheChosenSet)
{
    TeachingSession session({{"ButtonConfig", "ButtonType", "2"}});
    ASSERT_TRUE(session.Started());
    const std::string base = session.Install().PathOf("setting\\BaseButton.txt");
    const std::string advanced = session.Install().PathOf("setting\\AdvButton.txt");
    uint32_t flags[kq::kPanelButtonCount] = {};
    kq::ParseButtonSet(ReadFileBytes(base), flags);
    const std::string baseText = kq::FormatButtonSet(flags);
    ::DeleteFileA(base.c_str());
    ::DeleteFileA(advanced.c_str());

    // Untouched tabs and a third file that cannot be written: one warning
    // for it, the other two written, set 1 chosen.
    session.Command(kButtonSets);
    HWND dialog = DialogWith(session, kPathId);
    ASSERT_NE(dialog, nullptr);
    ExpectLaidOut(dialog, "button-sets");
    SetText(dialog, kPathId, session.Install().PathOf("no such folder\\set.txt"));
    Press(dialog, kOkId);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_BUTTON_SET_MISSING));
    EXPECT_TRUE(session.TakeBox("Warning", kNoBoxMs).empty());
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(ReadFileBytes(base), baseText);
    EXPECT_FALSE(ReadFileBytes(advanced).empty());

    // The menu's item opens it too: an empty third set on the third page.
    const std::string custom = session.Install().PathOf("mine.txt");
    session.Command(kButtonSetMenuItem);
    dialog = DialogWith(session, kPathId);
    ASSERT_NE(dialog, nullptr);
    ShowPage(session, dialog, 1125, 230);
    ExpectLaidOut(dialog, "button-sets-custom");
    for (int i = 0; i < 39; ++i)
        SetCheck(dialog, kFirstBoxId + 78 + i, false);
    SetCheck(dialog, kFirstBoxId + 78 + 3, true);
    SetCheck(dialog, kFirstBoxId + 78 + 38, true);
    SetText(dialog, kPathId, custom);
    Press(dialog, kOkId);
    EXPECT_TRUE(session.TakeBox("Warning", kNoBoxMs).empty());
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(ReadFileBytes(custom), "3,38");

    // Cancel changes nothing.
    session.Command(kButtonSets);
    dialog = DialogWith(session, kPathId);
    ASSERT_NE(dialog, nullptr);
    SetCheck(dialog, kFirstBoxId + 78 + 5, true);
    Press(dialog, kCancelId);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(ReadFileBytes(custom), "3,38");

    ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.Install().WaitForExit());
    EXPECT_EQ(session.Install().IniValue("ButtonConfig", "ButtonType"), "3");
    EXPECT_EQ(session.Install().IniValue("ButtonConfig", "DefineFilePath"), custom);
}

// ---- Three-field message ----

HWND OpenMessage(TeachingSession& session)
{
    session.Command(kMessage);
    return DialogWith(session, 702);
}

TEST(ThreeField, TextsTravelAtTheirOffsetsAndEmptyFieldsStop)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Command(kMessage);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_NO_SEAT_ONLINE));
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.Select(Selection::Two);

    // Empty first or middle field: nothing; empty last: 57468; Cancel: nothing.
    HWND dialog = OpenMessage(session);
    ASSERT_NE(dialog, nullptr);
    ExpectLaidOut(dialog, "three-field");
    SetText(dialog, 702, "m");
    SetText(dialog, 703, "z");
    Press(dialog, 704);
    EXPECT_TRUE(session.TakeBox("Warning", kNoBoxMs).empty());
    SetText(dialog, 701, "a");
    SetText(dialog, 702, "");
    Press(dialog, 704);
    EXPECT_TRUE(session.TakeBox("Warning", kNoBoxMs).empty());
    SetText(dialog, 702, "m");
    SetText(dialog, 703, "");
    Press(dialog, 704);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_LAST_FIELD_EMPTY));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    Press(dialog, 705);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_TRUE(session.NewSends().empty());

    // A 30-byte first text ends at 34; the middle keeps its line break.
    const std::string first(30, 'F');
    dialog = OpenMessage(session);
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, 701, first);
    SetText(dialog, 702, "line one\r\nline two");
    SetText(dialog, 703, "last");
    Press(dialog, 704);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(session.NewSends(),
              std::vector<std::string>{kqtest::SendLine(9, 2, 0, "1,2") + " args=" +
                                       ArgsHex({{5, first}, {37, "line one\r\nline two"}, {219, "last"}})});

    // Thirty double-byte characters in a single-line field: what fits.
    std::string wide;
    for (int i = 0; i < 30; ++i)
        wide += "\xD6\xD0";
    dialog = OpenMessage(session);
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, 701, "a");
    SetText(dialog, 702, "b");
    SetText(dialog, 703, wide);
    Press(dialog, 704);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(9, 2, 0, "1,2") + " args=" +
                                                           ArgsHex({{5, "a"}, {37, "b"}, {219, wide.substr(0, 30)}})});
}

// ---- Popup settings during a broadcast ----

HWND PopSettings(TeachingSession& session)
{
    return session.Install().FindWindowOf("KqPopSetDlg", 5000);
}

HWND ToolBarRecordSwitch(TeachingSession& session)
{
    HWND bar = kq::standin::WaitForProcessWindow(
        session.Install().ProcessId(), [](HWND w) { return ::GetDlgItem(w, kRecordSwitch) != nullptr; }, 3000);
    return bar != nullptr ? ::GetDlgItem(bar, kRecordSwitch) : nullptr;
}

TEST(PopSettings, SpeedCompressionVolumeAndSoundDuringABroadcast)
{
    // The first mixer query finds no mixer.
    TeachingSession session({}, {"KQ_KQMIXER_KqMixerGetRecVolume=-1,-1"});
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    session.Command(kBroadcast);
    session.TakeBox("Warning", kNoBoxMs);
    session.NewSends();

    ::PostMessageA(session.Main(), WM_COMMAND, kPopSettings, 0);
    HWND dialog = PopSettings(session);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(::IsWindowEnabled(Descendant(dialog, 855)));
    EXPECT_FALSE(::IsWindowEnabled(Descendant(dialog, 854)));
    ExpectLaidOut(dialog, "popup-settings");
    // A second request while it is open does nothing.
    ::PostMessageA(session.Main(), WM_COMMAND, kPopSettings, 0);
    session.Settle();
    int shown = 0;
    ::EnumWindows(
        [](HWND w, LPARAM count) -> BOOL {
            char title[32] = {};
            ::GetWindowTextA(w, title, sizeof title);
            *reinterpret_cast<int*>(count) += std::strcmp(title, "KqPopSetDlg") == 0 ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, 1);
    // Cancel changes nothing.
    size_t mark = TraceMark(session);
    Press(dialog, kCancelId);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_TRUE(TraceLines(session, "Lectern options", mark).empty());
    EXPECT_TRUE(TraceLines(session, "Lectern config", mark).empty());

    struct Speed {
        int step;
        const char* delays;
    } const speeds[] = {{1, "delaySon=27 delayMon=1"}, {10, "delaySon=1 delayMon=1"}, {20, "delaySon=1 delayMon=20"}};
    for (const Speed& s : speeds) {
        SCOPED_TRACE(s.step);
        ::PostMessageA(session.Main(), WM_COMMAND, kPopSettings, 0);
        dialog = PopSettings(session);
        ASSERT_NE(dialog, nullptr);
        ::SendMessageA(Descendant(dialog, 800), TBM_SETPOS, TRUE, s.step);
        Click(session, dialog, s.step == 20 ? 733 : 732); // compression 0, then 1 at the end
        mark = TraceMark(session);
        Press(dialog, kOkId);
        EXPECT_TRUE(Gone(dialog));
        const std::vector<std::string> lectern = TraceLines(session, "Lectern ", mark);
        ASSERT_EQ(lectern.size(), 2u);
        EXPECT_NE(lectern[0].find(std::string("options compress=") + (s.step == 20 ? "0 " : "1 ") + s.delays),
                  std::string::npos)
            << lectern[0];
        EXPECT_EQ(lectern[1].rfind("Lectern config ", 0), 0u);
        // Recording follows: only with the first compression.
        EXPECT_EQ(::IsWindowEnabled(ToolBarRecordSwitch(session)) != FALSE, s.step == 20);
    }

    // The mixer now answers: releasing the slider sets line 1 at once.
    ::PostMessageA(session.Main(), WM_COMMAND, kPopSettings, 0);
    dialog = PopSettings(session);
    ASSERT_NE(dialog, nullptr);
    HWND volume = Descendant(dialog, 855);
    ASSERT_TRUE(::IsWindowEnabled(volume));
    ::SendMessageA(volume, TBM_SETPOS, TRUE, 64 + ::SendMessageA(volume, TBM_GETPAGESIZE, 0, 0));
    RECT slider = {};
    ::GetClientRect(volume, &slider);
    mark = TraceMark(session);
    // A press on the channel left of the thumb pages down, then the release.
    ::SendMessageA(volume, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, slider.bottom / 2));
    ::SendMessageA(volume, WM_LBUTTONUP, 0, MAKELPARAM(20, slider.bottom / 2));
    session.Settle();
    const int position = static_cast<int>(::SendMessageA(volume, TBM_GETPOS, 0, 0));
    EXPECT_EQ(position, 64);
    const std::vector<std::string> mixer = TraceLines(session, "KqMixer KqMixerSetRecVolume", mark);
    ASSERT_FALSE(mixer.empty());
    EXPECT_NE(mixer.back().find("first=0 second=1 volume=" + std::to_string(position * 65535 / 128)),
              std::string::npos)
        << mixer.back();

    // The sound switch acts at once: ticked 44, cleared 43.
    session.NewSends();
    Click(session, dialog, 854);
    Click(session, dialog, 854);
    EXPECT_EQ(session.NewSends(),
              (std::vector<std::string>{"code=44 count=0 param=1 extra=1 seats= args=",
                                        "code=43 count=0 param=1 extra=1 seats= args="}));

    // The toolbar's stop closes it.
    ::PostMessageA(session.Main(), WM_COMMAND, kToolBarStop, 0);
    EXPECT_TRUE(Gone(dialog));

    ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(session.Install().WaitForExit());
    EXPECT_EQ(session.Install().IniValue("Setup", "Ablity"), "20");
}

// ---- Homework server at start, help, F5 ----

TEST(Start, HomeworkServerOnlyWhenOnAndAFailureWarns)
{
    {
        TeachingSession session({{"Other", "Homework", "0"}});
        ASSERT_TRUE(session.Started());
        EXPECT_TRUE(TraceLines(session, "KqTransmit StartFileServer").empty());
        EXPECT_TRUE(TraceLines(session, "Lectern send code=34").empty());
    }
    {
        // A receive folder on a drive that is not there.
        TeachingSession session({{"Other", "RecvPath", "Q:\\recv"}});
        ASSERT_TRUE(session.Started());
        const std::string box = session.TakeBox();
        EXPECT_TRUE(Has(box, session, TeacherRes::IDS_HOMEWORK_SERVER_FAILED));
        EXPECT_NE(box.find("20"), std::string::npos) << box;
        EXPECT_TRUE(TraceLines(session, "Lectern send code=34").empty());
    }
    {
        // A receive folder of 259 bytes: the server gets it with its
        // backslash, the record keeps what fits.
        std::string folder = "C:\\";
        while (folder.size() + 51 <= 259)
            folder += std::string(50, 'r') + "\\";
        folder += std::string(259 - folder.size(), 's');
        ASSERT_EQ(folder.size(), 259u);
        TeachingSession session({{"Other", "RecvPath", folder.c_str()}});
        ASSERT_TRUE(session.Started());
        session.TakeBox("Warning", kNoBoxMs); // the system may refuse so long a folder
        EXPECT_EQ(TraceLines(session, "KqTransmit StartFileServer folder=" + folder + "\\ ").size(), 1u);
        ::PostMessageA(session.Main(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(session.Install().WaitForExit());
        EXPECT_EQ(session.Install().IniValue("Other", "RecvPath"), folder);
    }
}

TEST(Keys, F5RefreshesOnlyWhenItCan)
{
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Post(WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(session.NewSends(), std::vector<std::string>{kqtest::SendLine(12, 0, 0, "") + " args="});
    ::ShowWindow(session.Main(), SW_MINIMIZE);
    session.Post(WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(session.NewSends().empty());
    ::ShowWindow(session.Main(), SW_RESTORE);
    ::EnableWindow(Descendant(session.Main(), 318), FALSE);
    session.Post(WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(session.NewSends().empty());
}

// Registers HelpRecorder.exe for .htm files while it lives (Wine reads the
// associations from HKEY_CLASSES_ROOT).
class HelpRecorder {
public:
    HelpRecorder()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_record = std::string(temp) + "kq_settings_help_record.txt";
        ::DeleteFileA(m_record.c_str());
        const std::string command = "\"" + kq::GetProgramFolder() + "HelpRecorder.exe\" \"" + m_record + "\" \"%1\"";
        Set(".htm", "KqSettingsHelpPage");
        Set("KqSettingsHelpPage\\shell\\open\\command", command);
    }
    ~HelpRecorder()
    {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "KqSettingsHelpPage");
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
        ::DeleteFileA(m_record.c_str());
    }
    std::string Opened() const { return ReadFileBytes(m_record); }

private:
    static void Set(const std::string& key, const std::string& value)
    {
        ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    }
    std::string m_record;
};

TEST(Help, OpensTheIndexOrSaysItIsMissing)
{
    HelpRecorder recorder;
    TeachingSession session;
    ASSERT_TRUE(session.Started());
    session.Command(kHelp);
    EXPECT_TRUE(WaitFor([&] { return recorder.Opened().find("help.htm") != std::string::npos; }, 10000))
        << recorder.Opened();
    ASSERT_TRUE(::DeleteFileA(session.Install().PathOf("help\\help.htm").c_str()));
    session.Command(kHelp);
    EXPECT_TRUE(Has(session.TakeBox(), session, TeacherRes::IDS_HELP_MISSING));
}

// ---- The update announcement ----

struct Heard {
    std::vector<std::string> datagrams;
    std::vector<DWORD> times;
};

Heard Listen(CMulticastSocket& socket, DWORD quietMs)
{
    Heard heard;
    char buffer[600];
    for (DWORD last = ::GetTickCount(); ::GetTickCount() - last < quietMs; ::Sleep(1)) {
        DWORD length = 0;
        while (socket.RecvFrom(buffer, sizeof buffer, &length)) {
            last = ::GetTickCount();
            heard.datagrams.emplace_back(buffer, length);
            heard.times.push_back(last);
        }
    }
    return heard;
}

TEST(UpdatePush, DisklessClassroomsHearOfItFirst)
{
    CMulticastSocket peer;
    ASSERT_EQ(peer.Create(inet_addr(kq::kConfigNoticeGroup), htons(kq::kConfigNoticePort), nullptr, 1), 1);
    ASSERT_EQ(peer.JoinGroup(nullptr, 1), 1);
    {
        TeachingSession session({{"Ver", "StuNoDisk", "1"}});
        ASSERT_TRUE(session.Started());
        Listen(peer, 200);
        const size_t mark = TraceMark(session);
        // Posted, not waited for: the datagrams are heard as they go out.
        ::PostMessageA(session.Main(), WM_LECTERN_NOTIFY, 8, 1234);
        const Heard heard = Listen(peer, 600);
        session.TakeBox("Warning", kNoBoxMs); // the update folder may be missing
        ASSERT_EQ(heard.datagrams.size(), 7u);
        for (const std::string& d : heard.datagrams) {
            ASSERT_EQ(d.size(), sizeof(kq::ConfigNotice));
            EXPECT_EQ(d, heard.datagrams[0]);
        }
        kq::ConfigNotice notice = {};
        std::memcpy(&notice, heard.datagrams[0].data(), sizeof notice);
        EXPECT_EQ(notice.kind, kq::kNoticeTeacherUpdate);
        EXPECT_EQ(kq::TeacherUpdateValue(notice, 0), 1234);
        EXPECT_EQ(kq::TeacherUpdateValue(notice, 1), 770);
        EXPECT_GE(heard.times.back() - heard.times.front(), 6u * 15u);
        EXPECT_EQ(TraceLines(session, "KqTransmit StartServerToSendDir", mark).size(), 1u);
    }
    {
        // Not diskless: the push without an announcement.
        TeachingSession session;
        ASSERT_TRUE(session.Started());
        Listen(peer, 200);
        const size_t mark = TraceMark(session);
        session.Event(8, 1234);
        EXPECT_TRUE(Listen(peer, 600).datagrams.empty());
        session.TakeBox("Warning", kNoBoxMs);
        EXPECT_EQ(TraceLines(session, "KqTransmit StartServerToSendDir", mark).size(), 1u);
    }
}

TEST(UpdatePush, APortTakenByAnotherSocketDoesNotStopThePush)
{
    SOCKET taker = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any = {};
    any.sin_family = AF_INET;
    any.sin_port = htons(kq::kConfigNoticePort);
    ASSERT_EQ(::bind(taker, reinterpret_cast<sockaddr*>(&any), sizeof any), 0);
    TeachingSession session({{"Ver", "StuNoDisk", "1"}});
    ASSERT_TRUE(session.Started());
    const size_t mark = TraceMark(session);
    session.Event(8, 1234);
    session.TakeBox("Warning", kNoBoxMs);
    EXPECT_EQ(TraceLines(session, "KqTransmit StartServerToSendDir", mark).size(), 1u);
    ::closesocket(taker);
}

// ---- Group tabs of the tool page ----

TEST(ToolPage, GroupTabsSelectAndReleaseAndTheRepaintRestoresThem)
{
    TeachingSession session({{"SEAT", "1", "A1,0,0,1,"}, {"SEAT", "2", "B1,1,0,2,"}, {"SEAT", "3", "C1,2,0,3,"}});
    ASSERT_TRUE(session.Started());
    for (int seat = 1; seat <= 3; ++seat)
        session.Online(seat);
    HMODULE resources =
        ::LoadLibraryExA(session.Install().PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND classTab = ::GetDlgItem(session.Main(), kWholeClassTab);
    HWND group3 = ::GetDlgItem(session.Main(), kFirstGroupTab + 2);
    // The seats a three-field message goes to: the selection.
    auto selected = [&session]() {
        session.Command(kMessage);
        HWND dialog = DialogWith(session, 702, 2000);
        if (dialog == nullptr) {
            session.TakeBox("Warning", kNoBoxMs);
            return std::string("(none)");
        }
        SetText(dialog, 701, "a");
        SetText(dialog, 702, "b");
        SetText(dialog, 703, "c");
        Press(dialog, 704);
        Gone(dialog);
        const std::vector<std::string> sends = session.NewSends();
        if (sends.size() != 1)
            return std::string("(no send)");
        const size_t at = sends[0].find("seats=") + 6;
        return sends[0].substr(at, sends[0].find(' ', at) - at);
    };

    session.Command(kWholeClassTab);
    EXPECT_TRUE(kqtest::ShowsFace(classTab, resources, TeacherRes::IDB_TAB_CLASS_FOCUS));
    session.Command(kFirstGroupTab + 2);
    EXPECT_TRUE(kqtest::ShowsFace(group3, resources, TeacherRes::IDB_TAB_GROUP3_FOCUS));
    EXPECT_TRUE(kqtest::ShowsFace(classTab, resources, TeacherRes::IDB_TAB_CLASS_UP));
    EXPECT_EQ(selected(), "3");
    // Tab 3 again clears the group and releases the tab.
    session.Command(kFirstGroupTab + 2);
    EXPECT_TRUE(kqtest::ShowsFace(group3, resources, TeacherRes::IDB_TAB_GROUP3_UP));
    // The whole class twice: selected, then cleared.
    session.Command(kWholeClassTab);
    EXPECT_EQ(selected(), "1,2,3"); // all selected: the whole class, count 0
    session.Command(kWholeClassTab);
    EXPECT_TRUE(kqtest::ShowsFace(classTab, resources, TeacherRes::IDB_TAB_CLASS_UP));
    EXPECT_EQ(selected(), "");

    // The repaint when the selection is cleared releases every tab.
    session.Command(kFirstGroupTab + 2);
    EXPECT_TRUE(kqtest::ShowsFace(group3, resources, TeacherRes::IDB_TAB_GROUP3_FOCUS));
    session.Post(kSelectionCleared, 0, 0);
    EXPECT_TRUE(kqtest::ShowsFace(group3, resources, TeacherRes::IDB_TAB_GROUP3_UP));
    ::FreeLibrary(resources);
}

} // namespace
