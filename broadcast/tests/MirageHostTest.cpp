// Mirage.dll as a host sees it: MirageHost.exe runs from a folder on the C:
// drive (a fixed disk) and the test feeds it commands, reads its lines and
// plays another station by sending datagrams to the group. Runs inside the
// private network namespace of the test scripts.

#include "broadcast/DatagramBuilder.h"
#include "broadcast/RecordingFiles.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "widgets/tests/LayoutCheck.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

constexpr char kGroup[] = "239.255.77.1";
constexpr u_short kPort = 47301;
constexpr u_short kOtherPort = 47302;
constexpr DWORD kLineTimeoutMs = 20000;
// "Promptly" means far from the engine's 60 s handshake limit; the bound
// leaves room for a loaded test machine.
constexpr int kPromptMs = 8000;
// A mode that sends its own screen waits for the sender, which pauses a
// second before its first frame.
constexpr int kSendingModePromptMs = kPromptMs + 1000;

std::string TestFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// A MirageHost.exe process with its engine, in C:\MirageTests\<name>.
class Host {
public:
    explicit Host(const std::string& name)
    {
        const std::string folder = "C:\\MirageTests\\" + name + "\\";
        CreateDirectoryA("C:\\MirageTests", nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* file : {"MirageHost.exe", "Mirage.dll", "KqGetBmp.dll", "Mirage.ini", "KqMixer.dll"})
            EXPECT_TRUE(CopyFileA((TestFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;

        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr, childOut = nullptr;
        CreatePipe(&childIn, &m_toHost, &inherit, 0);
        CreatePipe(&m_fromHost, &childOut, &inherit, 0);
        SetHandleInformation(m_toHost, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(m_fromHost, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = childIn;
        si.hStdOutput = childOut;
        si.hStdError = childOut;
        std::string commandLine = "\"" + folder + "MirageHost.exe\"";
        EXPECT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   folder.c_str(), &si, &m_process));
        CloseHandle(childIn);
        CloseHandle(childOut);
        m_lock = CreateMutexA(nullptr, FALSE, nullptr);
        m_lineArrived = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_reader = CreateThread(nullptr, 0, ReadLines, this, 0, nullptr);
        Expect("host ready");
    }

    ~Host()
    {
        if (m_toHost != nullptr)
            CloseHandle(m_toHost);
        if (WaitForSingleObject(m_process.hProcess, kLineTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_reader, kLineTimeoutMs);
        CloseHandle(m_reader);
        CloseHandle(m_fromHost);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
        CloseHandle(m_lineArrived);
        CloseHandle(m_lock);
    }

    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(m_toHost, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }

    // The next line starting with `prefix`; earlier lines are skipped (and
    // kept in the transcript). Empty on time-out.
    std::string Expect(const std::string& prefix, DWORD timeoutMs = kLineTimeoutMs)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            WaitForSingleObject(m_lock, INFINITE);
            while (!m_pending.empty()) {
                const std::string line = m_pending.front();
                m_pending.pop_front();
                if (line.rfind(prefix, 0) == 0) {
                    ReleaseMutex(m_lock);
                    return line;
                }
            }
            const bool ended = m_ended;
            ReleaseMutex(m_lock);
            const DWORD elapsed = GetTickCount() - start;
            if (ended || elapsed >= timeoutMs) {
                ADD_FAILURE() << "no line '" << prefix << "'; transcript:\n" << Transcript();
                return "";
            }
            WaitForSingleObject(m_lineArrived, timeoutMs - elapsed);
        }
    }

    // Sends a command and returns its result line's value, checking that
    // the call returned promptly.
    int Call(const std::string& command, const std::string& resultPrefix, int promptMs = kPromptMs)
    {
        Send(command);
        const std::string line = Expect(resultPrefix + " = ");
        if (line.empty())
            return -999;
        const size_t eq = line.find(" = ");
        const size_t ms = line.find('[');
        EXPECT_LT(std::stoi(line.substr(ms + 1)), promptMs) << line;
        return std::stoi(line.substr(eq + 3));
    }

    int Threads()
    {
        Send("threads");
        const std::string line = Expect("threads = ");
        return line.empty() ? -1 : std::stoi(line.substr(10));
    }

    bool Exited(DWORD timeoutMs) { return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0; }
    void EndInput()
    {
        CloseHandle(m_toHost);
        m_toHost = nullptr;
    }

    std::string Transcript()
    {
        WaitForSingleObject(m_lock, INFINITE);
        std::string all;
        for (const std::string& line : m_all)
            all += "  " + line + "\n";
        ReleaseMutex(m_lock);
        return all;
    }

private:
    static DWORD WINAPI ReadLines(LPVOID p)
    {
        auto* self = static_cast<Host*>(p);
        std::string partial;
        char buffer[512];
        DWORD read = 0;
        while (ReadFile(self->m_fromHost, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            partial.append(buffer, read);
            size_t end;
            while ((end = partial.find('\n')) != std::string::npos) {
                std::string line = partial.substr(0, end);
                partial.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                WaitForSingleObject(self->m_lock, INFINITE);
                self->m_pending.push_back(line);
                self->m_all.push_back(line);
                ReleaseMutex(self->m_lock);
                SetEvent(self->m_lineArrived);
            }
        }
        WaitForSingleObject(self->m_lock, INFINITE);
        self->m_ended = true;
        ReleaseMutex(self->m_lock);
        SetEvent(self->m_lineArrived);
        return 0;
    }

    PROCESS_INFORMATION m_process = {};
    HANDLE m_toHost = nullptr;
    HANDLE m_fromHost = nullptr;
    HANDLE m_reader = nullptr;
    HANDLE m_lock = nullptr;
    HANDLE m_lineArrived = nullptr;
    std::deque<std::string> m_pending;
    std::vector<std::string> m_all;
    bool m_ended = false;
};

// Another station on the group: it sends stop datagrams.
class Station {
public:
    Station()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    }
    ~Station()
    {
        closesocket(m_socket);
        WSACleanup();
    }
    void SendStop(uint8_t senderId, u_short port)
    {
        const MirageHead stop = BuildControl(senderId, MIRAGE_CONTROL_STOP);
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = inet_addr(kGroup);
        sendto(m_socket, reinterpret_cast<const char*>(&stop), sizeof stop, 0, reinterpret_cast<sockaddr*>(&to),
               sizeof to);
    }

private:
    SOCKET m_socket = INVALID_SOCKET;
};

std::string ModeCall(const char* exportName, int id, u_short port = kPort)
{
    return std::string(exportName) + " id=" + std::to_string(id) + " group=" + kGroup +
           " port=" + std::to_string(port) + " pause=1 burst=4 quality=50";
}

TEST(MirageHost, OpenModesAndTheirThreads)
{
    Host host("open");
    const int base = host.Threads();

    EXPECT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    EXPECT_EQ(host.Threads(), base + 4) << "receive, viewer, sender and cursor threads";
    EXPECT_EQ(host.Call("open 0", "DoOpenMirage(0)"), -1) << "a second open changes nothing";
    EXPECT_EQ(host.Threads(), base + 4);
    EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0) << "no mode ever ran";
    EXPECT_EQ(host.Threads(), base);

    EXPECT_EQ(host.Call("open 11", "DoOpenMirage(11)"), 0);
    EXPECT_EQ(host.Threads(), base + 2) << "receive and viewer threads only";
    EXPECT_EQ(host.Call(ModeCall("DoStudentStudentDemo", 3), "DoStudentStudentDemo", 1000), 0)
        << "a sending export on a receive-only engine returns at once";
    EXPECT_EQ(host.Call("stop", "DoStop"), 0);
    EXPECT_EQ(host.Call("close", "DoCloseMirage", 5000), 0);

    for (const char* mode : {"12", "3"}) {
        EXPECT_EQ(host.Call(std::string("open ") + mode, std::string("DoOpenMirage(") + mode + ")"), 0);
        EXPECT_EQ(host.Threads(), base + 4);
        EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0);
    }
    EXPECT_EQ(host.Threads(), base);
    host.EndInput();
    host.Expect("host exit");
    EXPECT_TRUE(host.Exited(5000));
}

TEST(MirageHost, ModesFollowTheGroupAndStopDatagrams)
{
    Host host("modes");
    Station other;
    const auto stopUntilNotice = [&](uint8_t id, u_short port) {
        // The socket opens on the receive thread just after the mode export.
        for (int i = 0; i < 10; ++i) {
            other.SendStop(id, port);
            host.Send("wait 0 300");
            if (host.Expect("wait 0 = ").find("ok") != std::string::npos)
                return true;
        }
        return false;
    };
    const auto noNotice = [&](uint8_t id, u_short port) {
        for (int i = 0; i < 3; ++i) {
            other.SendStop(id, port);
            host.Send("wait 0 300");
            if (host.Expect("wait 0 = ").find("ok") != std::string::npos)
                return false;
        }
        return true;
    };

    EXPECT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    EXPECT_EQ(host.Call(ModeCall("DoStudentStudentDemo", 5), "DoStudentStudentDemo", kSendingModePromptMs), 0);
    EXPECT_EQ(host.Call(ModeCall("DoStudentMonitor", 7), "DoStudentMonitor"), 0)
        << "a second mode without DoStop is ignored";
    Sleep(300);
    EXPECT_TRUE(noNotice(5, kPort)) << "a stop carrying the station's own id";
    EXPECT_TRUE(stopUntilNotice(7, kPort)) << "id 7 is another station: the second mode changed nothing";

    // The stop ended the mode: the next one is accepted (a teacher, id 0).
    EXPECT_EQ(host.Call(ModeCall("DoTeacherTeacherDemo", 9), "DoTeacherTeacherDemo", kSendingModePromptMs), 0);
    EXPECT_TRUE(stopUntilNotice(9, kPort));

    // The socket stays on the first mode's group and port.
    EXPECT_EQ(host.Call(ModeCall("DoTeacherStudentDemo", 0, kOtherPort), "DoTeacherStudentDemo"), 0);
    EXPECT_TRUE(noNotice(9, kOtherPort));
    EXPECT_TRUE(stopUntilNotice(9, kPort));

    // DoExecScreen kind 7 starts nothing: a stop finds no running mode.
    EXPECT_EQ(host.Call(std::string("exec 0 0 7 group=") + kGroup + " port=47301", "DoExecScreen"), 0);
    EXPECT_TRUE(noNotice(9, kPort));
    EXPECT_EQ(host.Call(std::string("exec 1 0 5 id=4 group=") + kGroup + " port=47301", "DoExecScreen"), 0);
    EXPECT_TRUE(stopUntilNotice(9, kPort)) << "kind 5 on a student runs the student monitor";

    EXPECT_EQ(host.Call("stop", "DoStop"), 0) << "no mode runs";
    host.Send("reset 1 0 0 1 0");
    host.Expect("DoReSetOption");
    EXPECT_EQ(host.Call("close", "DoCloseMirage", 5000), 0);
    host.EndInput();
    host.Expect("host exit");
    EXPECT_TRUE(host.Exited(5000));
}

} // namespace

namespace {

constexpr char kPlayerFolder[] = "C:\\MirageTests\\player\\";
constexpr uint32_t kRecordedWidth = 64;
constexpr uint32_t kRecordedHeight = 40;
constexpr char kBarIdlePlayer[] = "bar 1 0 0 1 1 1";
constexpr char kBarBusy[] = "bar 1 0 1 0 0 0";
constexpr char kBarOnlyExit[] = "bar 1 0 0 0 0 1";

// Asks for the bar's states until they are `expected`; the last line read.
std::string WaitForBar(Host& host, const std::string& expected, DWORD timeoutMs = kLineTimeoutMs)
{
    const DWORD start = GetTickCount();
    std::string line;
    do {
        host.Send("bar");
        line = host.Expect("bar ");
        if (line == expected)
            break;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return line;
}

// `frames` frames of a recording, `gapMs` apart: the raw start frame, then
// frame ends.
void WriteRecording(const std::string& folder, int frames, uint32_t gapMs)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    CRecordingWriter writer;
    writer.SetFolder(folder);
    const RecordingLimits limits = {1 << 20, 1 << 20};
    std::vector<uint8_t> pixels(kRecordedWidth * kRecordedHeight * 3, 0x80);
    RecordFrameInfo frame = {kRecordedWidth, kRecordedHeight, 24, 60, 1, 1, 1000};
    ASSERT_TRUE(writer.Start(frame, pixels.data(), limits));
    for (int i = 1; i < frames; ++i) {
        frame.tick += gapMs;
        ASSERT_EQ(writer.AppendFrameEnd(frame, limits), CRecordingWriter::Append::Written);
    }
    writer.Stop();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// A shown dialog of another process that has a control `childId`.
HWND FindDialogWith(int childId)
{
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "#32770", nullptr))
        if (IsWindowVisible(w) && GetDlgItem(w, childId) != nullptr)
            return w;
    return nullptr;
}

// Every control inside its window and every text whole; a screenshot to look at.
void ExpectWholeAndShoot(HWND window, const std::string& shot)
{
    ASSERT_NE(window, nullptr) << shot;
    for (const std::string& fault : kqtest::LayoutFaults(window))
        ADD_FAILURE() << shot << ": " << fault;
    EXPECT_TRUE(kqtest::SaveScreenShot(window, shot)) << shot;
}

std::string PlayerCall()
{
    return std::string("DoStudentPlay id=3 group=") + kGroup + " port=" + std::to_string(kPort);
}

TEST(MirageHost, PlayerPlaysAtTheRecordedPaceAndRefusesDamagedFiles)
{
    Host host("player");
    const std::string recdata = std::string(kPlayerFolder) + "recdata";
    WriteRecording(recdata, 50, 100);
    ASSERT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    ASSERT_EQ(host.Call(PlayerCall(), "DoStudentPlay"), 0);
    EXPECT_EQ(WaitForBar(host, kBarIdlePlayer), kBarIdlePlayer);
    RECT bar = {};
    GetWindowRect(FindWindowA(nullptr, "DoBar"), &bar);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right - bar.left, 145);
    EXPECT_EQ(bar.bottom - bar.top, 29);
    ExpectWholeAndShoot(FindWindowA(nullptr, "DoBar"), "record_bar");

    // 50 frames 100 ms apart end about 5 s after play.
    const DWORD played = GetTickCount();
    ASSERT_EQ(host.Call("barpress 2", "barpress"), 1);
    EXPECT_EQ(WaitForBar(host, kBarBusy, 2000), kBarBusy);
    EXPECT_EQ(WaitForBar(host, kBarIdlePlayer, 15000), kBarIdlePlayer);
    const DWORD took = GetTickCount() - played;
    EXPECT_GT(took, 4500u);
    EXPECT_LT(took, 7500u);

    // Forged indexes: each reported damaged; the bar and the host go on.
    const std::string index = recdata + "\\recindex.idx";
    const std::vector<std::vector<uint8_t>> forged = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0},                // count 0xFFFFFFFF
        std::vector<uint8_t>(8 + 40 + 20, 0x01),             // cut inside a record
    };
    for (const std::vector<uint8_t>& bytes : forged) {
        WriteBytes(index, bytes);
        host.Send("post DoDecompressWnd 2283 2");
        host.Send("msgbox 10000");
        EXPECT_EQ(host.Expect("msgbox"), "msgbox Record file damaged!");
        EXPECT_EQ(WaitForBar(host, kBarIdlePlayer), kBarIdlePlayer);
    }

    // A missing data file, then a cleared recording.
    DeleteFileA((recdata + "\\recdata.dat").c_str());
    host.Send("post DoDecompressWnd 2283 2");
    host.Send("msgbox 10000");
    EXPECT_EQ(host.Expect("msgbox"), "msgbox Open File Error!");
    WriteRecording(recdata, 3, 100);
    host.Send("post DoDecompressWnd 2283 3");
    host.Send("post DoDecompressWnd 2283 2");
    host.Send("msgbox 10000");
    EXPECT_EQ(host.Expect("msgbox"), "msgbox No record context!");
    EXPECT_EQ(host.Call("stop", "DoStop"), 0);
    EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0);
}

TEST(MirageHost, PlayerClearsAfterConfirmationAndEndsWithoutRecording)
{
    Host host("player_clear");
    const std::string recdata = "C:\\MirageTests\\player_clear\\recdata";
    WriteRecording(recdata, 3, 100);
    ASSERT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    ASSERT_EQ(host.Call(PlayerCall(), "DoStudentPlay"), 0);
    ASSERT_EQ(WaitForBar(host, kBarIdlePlayer), kBarIdlePlayer);

    // Clear, then cancel: the bar comes back as it was.
    ASSERT_EQ(host.Call("barpress 3", "barpress"), 1);
    EXPECT_EQ(WaitForBar(host, "bar 0 0 0 1 1 1"), "bar 0 0 0 1 1 1");
    ExpectWholeAndShoot(FindWindowA(nullptr, "清除录制"), "clear_record");
    // The system close does nothing while the question waits.
    PostMessageA(FindWindowA(nullptr, "清除录制"), WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(FindWindowA(nullptr, "清除录制")));
    host.Send("post 清除录制 273 2");
    EXPECT_EQ(WaitForBar(host, kBarIdlePlayer), kBarIdlePlayer);

    // Clear and confirm: only exit, a 4-byte index, and the end 5 s later.
    ASSERT_EQ(host.Call("barpress 3", "barpress"), 1);
    host.Send("post 清除录制 273 1");
    EXPECT_EQ(WaitForBar(host, kBarOnlyExit), kBarOnlyExit);
    const DWORD cleared = GetTickCount();
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    ASSERT_TRUE(GetFileAttributesExA((recdata + "\\recindex.idx").c_str(), GetFileExInfoStandard, &info));
    EXPECT_EQ(info.nFileSizeLow, 4u);
    EXPECT_FALSE(host.Expect("notice code=0", 10000).empty());
    EXPECT_GT(GetTickCount() - cleared, 4000u);

    // Without a recording the player offers only exit and ends by itself.
    ASSERT_EQ(host.Call(PlayerCall(), "DoStudentPlay"), 0);
    EXPECT_EQ(WaitForBar(host, kBarOnlyExit), kBarOnlyExit);
    EXPECT_FALSE(host.Expect("notice code=0", 10000).empty());
    EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0);
}

} // namespace

namespace {

std::string HexOf(const std::string& text)
{
    std::string hex;
    char byte[4];
    for (const char c : text) {
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(c));
        hex += byte;
    }
    return hex;
}

// Opens warn or lock on the view and waits for its dialog.
std::string OpenPreset(Host& host, int command)
{
    host.Send("post SCREENRECEIVER 273 " + std::to_string(command));
    std::string line;
    for (int tries = 0; tries < 100; ++tries) {
        host.Send("preset");
        line = host.Expect("preset ");
        if (line.empty() || line != "preset none")
            break;
        Sleep(50);
    }
    return line;
}

TEST(MirageHost, WarnAndLockHandTheTypedMessageToTheHost)
{
    Host host("preset");
    ASSERT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    ASSERT_EQ(host.Call(ModeCall("DoTeacherMonitor", 0) + " ids=7 names=A7 flag=0 period=60000",
                        "DoTeacherMonitor"), 0);
    const std::string presets = "请认真听讲|请不要玩游戏|请不要做与课堂无关的事|请自觉遵守教学秩序|请认真考试";
    EXPECT_EQ(OpenPreset(host, 2288), "preset " + HexOf("请不要做与课堂无关的事") + " " + presets);
    ExpectWholeAndShoot(FindDialogWith(8005), "preset_message");
    host.Send("preset " + HexOf("请认真听讲"));
    EXPECT_EQ(host.Expect("notice code=10"), "notice code=10 high=7 text=\"请认真听讲\"");

    // Lock; an empty text still goes out.
    OpenPreset(host, 2289);
    host.Send("preset 00");
    EXPECT_EQ(host.Expect("notice code=11"), "notice code=11 high=7 text=\"\"");

    // 200 double-byte characters arrive as at most 101 bytes of whole ones.
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "课";
    OpenPreset(host, 2288);
    host.Send("preset " + HexOf(longText));
    EXPECT_EQ(host.Expect("notice code=10"), "notice code=10 high=7 text=\"" + longText.substr(0, 100) + "\"");
    EXPECT_EQ(host.Call("stop", "DoStop"), 0);
    EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0);
}

} // namespace

namespace {

// Sends `command` until its answer (the line starting with `prefix`) is
// `expected`; the last answer.
std::string WaitForLine(Host& host, const std::string& command, const std::string& prefix,
                        const std::string& expected)
{
    std::string line;
    for (int tries = 0; tries < 100; ++tries) {
        host.Send(command);
        line = host.Expect(prefix);
        if (line == expected)
            break;
        Sleep(50);
    }
    return line;
}

TEST(MirageHost, ToolWindowPassesPointerAndExitAndScalesTheRecordingVolume)
{
    Host host("tool");
    ASSERT_EQ(host.Call("open 0", "DoOpenMirage(0)"), 0);
    ASSERT_EQ(host.Call(ModeCall("DoTeacherTeacherHandle", 0) + " watched=2 flag=1", "DoTeacherTeacherHandle"), 0);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const std::string place = "rect " + std::to_string(width - 122) + " 10 " + std::to_string(width - 10) + " 43";
    EXPECT_EQ(WaitForLine(host, "rect DoKqToolWnd", "rect ", place), place);

    host.Send("post DoKqToolWnd 273 2291");
    EXPECT_EQ(host.Expect("notice code=13"), "notice code=13 high=0 lparam=2");

    // The slider shows the mixer's volume on a 0..100 scale.
    const struct {
        int volume;
        const char* slider;
    } volumes[] = {{65535, "slider 100"}, {655, "slider 0"}};
    for (const auto& v : volumes) {
        host.Send("mixer " + std::to_string(v.volume));
        host.Expect("mixer ");
        host.Send("post DoKqToolWnd 273 2290");
        const std::string line = WaitForLine(host, "slider", "slider ", std::string(v.slider) + " 1");
        EXPECT_EQ(line.substr(0, std::string(v.slider).size()), v.slider) << line;
    }
    ExpectWholeAndShoot(FindWindowA(nullptr, "DoKqToolWnd"), "tool_window");
    ExpectWholeAndShoot(FindDialogWith(8002), "recording_volume");

    host.Send("post DoKqToolWnd 273 2292");
    EXPECT_EQ(host.Expect("notice code=0"), "notice code=0 high=0 lparam=0");
    EXPECT_EQ(host.Call("stop", "DoStop"), 0);
    EXPECT_EQ(host.Call("close", "DoCloseMirage"), 0);
}

} // namespace
