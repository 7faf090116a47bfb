// The joiner run as a program from a temporary student installation with
// the test agent as Student.exe: its start, the teacher's classroom
// signals, the hot keys, the agent's hand-over and the adapter dialog. The
// Smss stand-in traces each start of the agent.

#include "common/LecternMessages.h"
#include "common/PeerNames.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "common/ConfigNotice.h"
#include "student/tests/GroupPeer.h"
#include "student/tests/StudentAgentInstall.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using kqtest::StudentAgentInstall;
using kqtest::WindowText;

constexpr char kAgentStart[] = "start agent=";
constexpr char kSignalGroup[] = "227.1.1.6";
constexpr uint16_t kSignalPort = 5999;
constexpr char kFirstCard[] = "198.18.0.1";
// The joiner waits 5 s before it starts the agent.
constexpr DWORD kStartDelayMs = 5000;
constexpr DWORD kPatienceMs = 40000;
constexpr int kNoticeLabelId = 149;
constexpr int kNoticeCloseId = 136;
constexpr int kAdapterComboId = 1000;
constexpr int kSeatFieldId = 139;
constexpr int kOkId = 140;
constexpr int kCancelId = 141;
constexpr int kClassroomFieldId = 147;
constexpr char kRestartFile[] = "c:\\e.ini";

// A student installation whose program is the joiner, on the first card.
class JoinerInstall : public StudentAgentInstall {
public:
    JoinerInstall() : StudentAgentInstall("A7", "KqGhost.exe")
    {
        CopyIn("joiner-test\\KqGhost.exe", "KqGhost.exe");
        CopyIn("Smss.exe", "Smss.exe");
        SetIni("NETADAPTER", "IPADDRESS", kFirstCard);
    }
    ~JoinerInstall()
    {
        // An agent left running keeps its mutex: end it for the next test.
        if (HWND agent = AgentFrame(0))
            ::PostMessageA(agent, WM_HOTKEY, ::GlobalFindAtomA("KqStudent"), 0);
        kq::standin::WaitFor([] { return !AgentRuns(); }, kPatienceMs);
    }

    HWND JoinerFrame(DWORD timeoutMs = kPatienceMs) const
    {
        return kq::standin::WaitForProcessWindow(
            ProcessId(), [](HWND window) { return WindowText(window) == kq::kJoinerTitle; }, timeoutMs);
    }
    // A visible window of the joiner with control `id`.
    HWND JoinerWindowWith(int id, DWORD timeoutMs = kPatienceMs) const
    {
        return kq::standin::WaitForProcessWindow(
            ProcessId(), [id](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, id); },
            timeoutMs);
    }
    int AgentStarts() const { return TraceCount(kAgentStart); }
    bool WaitForAgentStarts(int count) const
    {
        return kq::standin::WaitFor([&] { return AgentStarts() >= count; }, kPatienceMs);
    }

    static HWND AgentFrame(DWORD timeoutMs = kPatienceMs)
    {
        HWND frame = nullptr;
        kq::standin::WaitFor([&] { return (frame = ::FindWindowA(nullptr, kq::kAgentTitle)) != nullptr; },
                             timeoutMs);
        return frame;
    }
    static bool AgentRuns()
    {
        HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kq::kAgentMutex);
        if (mutex == nullptr)
            return false;
        ::CloseHandle(mutex);
        return true;
    }
};

// Another process's control text, through its messages.
std::string ControlText(HWND control)
{
    char text[256] = {};
    ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetControlText(HWND control, const char* text)
{
    ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Multicasts `bytes` to the joiner's group from the first card.
void SendSignal(const std::vector<uint8_t>& bytes)
{
    SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    in_addr card = {};
    ::inet_pton(AF_INET, kFirstCard, &card);
    ::setsockopt(s, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&card), sizeof card);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(kSignalPort);
    ::inet_pton(AF_INET, kSignalGroup, &to.sin_addr);
    EXPECT_EQ(::sendto(s, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
                       reinterpret_cast<const sockaddr*>(&to), sizeof to),
              static_cast<int>(bytes.size()));
    ::closesocket(s);
}

std::string RestartKey(const char* key)
{
    char value[64] = {};
    ::GetPrivateProfileStringA("Ver", key, "(missing)", value, sizeof value, kRestartFile);
    return value;
}

void FillRestartFile()
{
    ::WritePrivateProfileStringA("Ver", "close", "closing", kRestartFile);
    ::WritePrivateProfileStringA("Ver", "run", "running", kRestartFile);
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, kRestartFile);
}

// A window titled as the environment check's result window, which notes
// whether the agent was still up when it was told to close.
struct CheckWindow {
    static inline bool told = false;
    static inline bool agentUpWhenTold = false;
    HWND hwnd = nullptr;

    CheckWindow()
    {
        WNDCLASSA type = {};
        type.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_CHECK_CLOSE && !told) {
                told = true;
                agentUpWhenTold = ::FindWindowA(nullptr, kq::kAgentTitle) != nullptr;
            }
            return ::DefWindowProcA(w, m, wp, lp);
        };
        type.hInstance = ::GetModuleHandleA(nullptr);
        type.lpszClassName = "KqJoinerTestCheck";
        ::RegisterClassA(&type);
        hwnd = ::CreateWindowA("KqJoinerTestCheck", kq::kCheckTitle, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                               type.hInstance, nullptr);
    }
    ~CheckWindow() { ::DestroyWindow(hwnd); }
};

// Waits for `done` while this thread's windows get their messages.
template <typename F>
bool PumpUntil(F done, DWORD timeoutMs = kPatienceMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(10);
    }
    return true;
}

class JoinerRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    static void TearDownTestSuite() { ::WSACleanup(); }
};

TEST_F(JoinerRun, StartsTheAgentHiddenAndCarriesOutTheClassroomSignals)
{
    ::DeleteFileA(kRestartFile);
    JoinerInstall install;
    install.SetIni("VER", "ClassRoomID", "9");
    const DWORD started = ::GetTickCount();
    ASSERT_TRUE(install.Start());
    const HWND frame = install.JoinerFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(::IsWindowVisible(frame)) << "no window shows";
    ASSERT_TRUE(install.WaitForAgentStarts(1)) << install.Trace();
    EXPECT_GE(::GetTickCount() - started, kStartDelayMs - 500) << "the agent starts about 5 s later";
    ASSERT_NE(install.AgentFrame(), nullptr);
    EXPECT_TRUE(install.WaitForTrace("group=227.1.10.7 ")) << "classroom 9";
    EXPECT_TRUE(install.SecondCopyEndsQuietly());

    // Classroom 5: written, the agent restarted on classroom 5's group.
    SendSignal({0x00, 0x05, 0x34, 0x12});
    ASSERT_TRUE(install.WaitForAgentStarts(2)) << install.Trace();
    EXPECT_EQ(install.Ini("VER", "ClassRoomID"), "5");
    EXPECT_TRUE(install.WaitForTrace("group=227.1.6.7 ")) << install.Trace();
    ASSERT_NE(install.AgentFrame(), nullptr);

    // Repeats and what the joiner does not carry out on a fixed disk change
    // nothing and show nothing; command 1 in classroom 5 then restarts,
    // with the environment check's window told to close first.
    install.SetIni("VER", "ClassRoomID", "5");
    FillRestartFile();
    SendSignal({0x00, 0x05, 0x34, 0x12});                      // a repeat
    SendSignal(std::vector<uint8_t>(600, 0x00));               // oversized
    SendSignal({0x02, 0x01, 0x07, 0x00});                      // command 258
    SendSignal({0x00, 0x05, 0x36});                            // three bytes
    SendSignal({0x00, 0x05, 0x37, 0x12, 0x00});                // five bytes
    SendSignal({0x02, 0x00, 0x07, 0x00});                      // stop for version 7
    SendSignal({0x03, 0x00, 0x07, 0x00});                      // version 7
    CheckWindow check;
    SendSignal({0x01, 0x05, 0x36, 0x12});
    ASSERT_TRUE(PumpUntil([] { return RestartKey("close").empty() && RestartKey("run").empty(); }))
        << "c:\\e.ini emptied";
    EXPECT_EQ(install.AgentStarts(), 2) << "nothing before it restarted the agent";
    EXPECT_EQ(install.JoinerWindowWith(kNoticeLabelId, 0), nullptr) << "no notice box";
    ASSERT_TRUE(PumpUntil([&] { return install.AgentStarts() >= 3; })) << install.Trace();
    EXPECT_TRUE(CheckWindow::told);
    EXPECT_TRUE(CheckWindow::agentUpWhenTold) << "told before the agent was closed";

    // Command 1 of another classroom does nothing; the next sequence of
    // command 0 acts again.
    install.SetIni("VER", "ClassRoomID", "4");
    FillRestartFile();
    SendSignal({0x01, 0x05, 0x38, 0x12});
    SendSignal({0x00, 0x05, 0x35, 0x12});
    ASSERT_TRUE(install.WaitForAgentStarts(4)) << install.Trace();
    EXPECT_EQ(install.Ini("VER", "ClassRoomID"), "5");
    EXPECT_EQ(RestartKey("close"), "closing");
    ASSERT_NE(install.AgentFrame(), nullptr);

    // A second Ctrl+Alt+Shift+O while the setup dialog is open does nothing.
    const ATOM setup = ::GlobalAddAtomA("ModifyStNumber");
    ::PostMessageA(frame, WM_HOTKEY, setup, 0);
    const HWND dialog = install.JoinerWindowWith(kClassroomFieldId);
    ASSERT_NE(dialog, nullptr);
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutA(frame, WM_HOTKEY, setup, 0, SMTO_NORMAL, 5000, &answer), 0)
        << "the second hot key returns at once";
    ::PostMessageA(::GetDlgItem(dialog, kCancelId), BM_CLICK, 0, 0);
    ASSERT_TRUE(kq::standin::WaitFor([&] { return !::IsWindow(dialog); }, kPatienceMs));

    // Ctrl+Alt+Shift+G ends the joiner; the agent keeps running.
    ::PostMessageA(frame, WM_HOTKEY, ::GlobalAddAtomA("KqGhost"), 0);
    EXPECT_TRUE(install.WaitForExit());
    EXPECT_TRUE(JoinerInstall::AgentRuns());
    EXPECT_EQ(install.AgentStarts(), 4);
    ::DeleteFileA(kRestartFile);
}

TEST_F(JoinerRun, TheAgentsHandOverAsksTheSeatAndAlwaysRestartsTheAgent)
{
    JoinerInstall install;
    ASSERT_TRUE(install.Start());
    ASSERT_TRUE(install.WaitForAgentStarts(1));
    HWND agent = install.AgentFrame();
    ASSERT_NE(agent, nullptr) << install.Trace();
    ASSERT_TRUE(install.WaitForTrace("seat=A7 "));

    ::PostMessageA(agent, WM_LECTERN_NOTIFY, MAKEWPARAM(kq::kStudentHandOver, 0), 0);
    HWND dialog = install.JoinerWindowWith(kSeatFieldId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(JoinerInstall::AgentRuns()) << "the agent ended first";
    SetControlText(::GetDlgItem(dialog, kSeatFieldId), "B3");
    ::PostMessageA(::GetDlgItem(dialog, kOkId), BM_CLICK, 0, 0);
    ASSERT_TRUE(install.WaitForAgentStarts(2));
    EXPECT_EQ(install.Ini("STUDENTNUMBER", "number"), "B3");
    EXPECT_TRUE(install.WaitForTrace("seat=B3 ")) << install.Trace();

    agent = install.AgentFrame();
    ASSERT_NE(agent, nullptr);
    ::PostMessageA(agent, WM_LECTERN_NOTIFY, MAKEWPARAM(kq::kStudentHandOver, 0), 0);
    dialog = install.JoinerWindowWith(kSeatFieldId);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageA(::GetDlgItem(dialog, kCancelId), BM_CLICK, 0, 0);
    ASSERT_TRUE(install.WaitForAgentStarts(3)) << "cancelled: restarted unchanged";
    EXPECT_EQ(install.Ini("STUDENTNUMBER", "number"), "B3");
    ASSERT_NE(install.AgentFrame(), nullptr);
    ::PostMessageA(install.JoinerFrame(), WM_HOTKEY, ::GlobalAddAtomA("KqGhost"), 0);
    EXPECT_TRUE(install.WaitForExit());
}

TEST_F(JoinerRun, TheAdapterDialogWritesOnlyAnAddressAndAMissingPathEndsWithoutAnAgent)
{
    JoinerInstall install;
    install.SetIni("NETADAPTER", "IPADDRESS", "0.0.0.0");
    install.ForgetRegistryPath();
    ASSERT_TRUE(install.Start());

    const HWND adapters = install.JoinerWindowWith(kAdapterComboId);
    ASSERT_NE(adapters, nullptr);
    const HWND combo = ::GetDlgItem(adapters, kAdapterComboId);
    EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ControlText(combo), "198.18.0.1") << "the lowest selected";
    SetControlText(combo, "abc");
    ::SendMessageA(::GetDlgItem(adapters, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(adapters)) << "a typo keeps the dialog open";
    EXPECT_EQ(install.Ini("NETADAPTER", "IPADDRESS"), "0.0.0.0");
    SetControlText(combo, "198.18.0.2");
    ::PostMessageA(::GetDlgItem(adapters, IDOK), BM_CLICK, 0, 0);

    const HWND notice = install.JoinerWindowWith(kNoticeLabelId);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(install.Ini("NETADAPTER", "IPADDRESS"), "198.18.0.2");
    ::PostMessageA(::GetDlgItem(notice, kNoticeCloseId), BM_CLICK, 0, 0);
    EXPECT_TRUE(install.WaitForExit()) << "the frame closes after the notice";
    EXPECT_EQ(install.AgentStarts(), 0);
}

std::string HostName()
{
    char name[100] = {};
    ::gethostname(name, sizeof name);
    return name;
}

// The kind-1 notices of `path` that arrive within `timeoutMs`, counted by
// their stamp (the copies of one notice share it).
std::map<uint16_t, int> CollectNotices(studenttest::GroupPeer& peer, const std::string& host,
                                       const std::string& path, DWORD timeoutMs)
{
    std::map<uint16_t, int> copies;
    const DWORD start = ::GetTickCount();
    std::string bytes;
    while (::GetTickCount() - start < timeoutMs) {
        if (!peer.Receive(bytes, timeoutMs - (::GetTickCount() - start)))
            break;
        kq::ConfigNotice notice;
        if (bytes.size() != sizeof notice)
            continue;
        std::memcpy(&notice, bytes.data(), sizeof notice);
        if (notice.kind == 1 && host == notice.host && path == notice.path)
            ++copies[notice.stamp];
    }
    return copies;
}

bool HasSevenCopies(const std::map<uint16_t, int>& copies)
{
    for (const auto& [stamp, count] : copies) {
        if (count == 7)
            return true;
    }
    return false;
}

// The per-host copy folder on C:, removed afterwards.
struct LocalCopy {
    explicit LocalCopy(const std::string& host) : folder("C:\\" + host), file(folder + "\\" + host + ".ini")
    {
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    ~LocalCopy()
    {
        ::DeleteFileA(file.c_str());
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string folder;
    std::string file;
};

TEST_F(JoinerRun, PerHostCopiesAnnouncesAndFollowsTheConfigurationVersion)
{
    const std::string host = HostName();
    ASSERT_FALSE(host.empty());
    LocalCopy local(host);
    JoinerInstall install;
    const std::string working = install.PathOf(host + ".ini");
    ASSERT_TRUE(::CopyFileA(install.IniPath().c_str(), working.c_str(), FALSE));
    // The agent finds its local copy and asks for none: every notice is the
    // joiner's. Its address tells an old copy from a fresh one.
    ASSERT_TRUE(::CopyFileA(install.IniPath().c_str(), local.file.c_str(), FALSE));
    ::WritePrivateProfileStringA("NETADAPTER", "IPADDRESS", "9.9.9.9", local.file.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, local.file.c_str());
    studenttest::GroupPeer peer("227.1.1.6", 5998);
    ASSERT_TRUE(peer.Ok());
    ASSERT_TRUE(install.Start({"KQ_TEST_DRIVE=network"}));
    ASSERT_TRUE(install.WaitForAgentStarts(1)) << install.Trace();
    ASSERT_NE(install.AgentFrame(), nullptr) << install.Trace();

    // Classroom 5: the working copy goes over the local copy, which takes
    // the classroom; about 3 s later seven copies of the notice.
    SendSignal({0x00, 0x05, 0x34, 0x12});
    ASSERT_TRUE(kq::standin::WaitFor([&] { return install.Ini("VER", "ClassRoomID", local.file) == "5"; },
                                     kPatienceMs));
    EXPECT_EQ(install.Ini("NETADAPTER", "IPADDRESS", local.file), kFirstCard) << "a copy of the working copy";
    EXPECT_EQ(install.Ini("VER", "ClassRoomID", working), "300") << "the working copy is only read";
    EXPECT_TRUE(HasSevenCopies(CollectNotices(peer, host, local.file, 8000)));
    ASSERT_TRUE(install.WaitForAgentStarts(2)) << install.Trace();

    // A new version stops the agent and leaves it stopped.
    SendSignal({0x02, 0x00, 0x08, 0x00});
    ASSERT_TRUE(kq::standin::WaitFor([] { return !JoinerInstall::AgentRuns(); }, kPatienceMs));

    // The version: written to the local copy and announced; the agent
    // starts once the working copy carries it.
    peer.Drain();
    SendSignal({0x03, 0x00, 0x08, 0x00});
    ASSERT_TRUE(kq::standin::WaitFor([&] { return install.Ini("VER", "VersionID", local.file) == "8"; },
                                     kPatienceMs));
    EXPECT_TRUE(HasSevenCopies(CollectNotices(peer, host, local.file, 8000)));
    EXPECT_EQ(install.AgentStarts(), 2) << "not before the working copy carries the version";
    ::WritePrivateProfileStringA("VER", "VersionID", "8", working.c_str());
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, working.c_str());
    ASSERT_TRUE(install.WaitForAgentStarts(3)) << install.Trace();

    // A working copy that cannot be copied: notice 61212, then the command goes on.
    ASSERT_TRUE(::DeleteFileA(working.c_str()));
    SendSignal({0x00, 0x06, 0x35, 0x12});
    const HWND notice = install.JoinerWindowWith(kNoticeLabelId);
    ASSERT_NE(notice, nullptr);
    ::PostMessageA(::GetDlgItem(notice, kNoticeCloseId), BM_CLICK, 0, 0);
    ASSERT_TRUE(kq::standin::WaitFor([&] { return install.Ini("VER", "ClassRoomID", local.file) == "6"; },
                                     kPatienceMs));
    ASSERT_TRUE(install.WaitForAgentStarts(4)) << install.Trace();
    ::PostMessageA(install.JoinerFrame(), WM_HOTKEY, ::GlobalAddAtomA("KqGhost"), 0);
    EXPECT_TRUE(install.WaitForExit());
}

} // namespace
