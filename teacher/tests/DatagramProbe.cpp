// DatagramProbe.exe: one PC's end of the classroom datagram tests between
// PCs of the private network. Each mode does one thing and writes what it
// heard, one datagram per line as hex bytes, to a file for the script.
//
// The listening modes create FILE.ready once they listen, and end after
// SECONDS or as soon as COUNT datagrams arrived.
//
//   listen GROUP PORT SECONDS FILE COUNT
//                                       member of GROUP, read on window notices
//   listen-port PORT SECONDS FILE COUNT plain UDP socket on PORT (a network card)
//   send GROUP PORT HEX...              one datagram per HEX argument
//   signal CLASSROOM MAINPORT GROUP     two classroom signals: command 1, then 0
//   wake                                Wake-on-LAN for a 3 x 2 grid with four MACs
//   vod ADDRESS PORT COMMAND            the player command sender
//   classroom MAINPORT GROUP SECONDS FILE COUNT
//                                       the teacher's classroom socket: each
//                                       arrival classified, join notices as seat states
//   teacher-command ID yes|no           command ID to the running Teacher.exe,
//                                       its yes/no question answered
//   teacher-close                       closes the running Teacher.exe

#include "common/AdapterAddress.h"
#include "common/MulticastSocket.h"
#include "teacher/ClassroomSockets.h"
#include "teacher/VideoChannelList.h"
#include "teacher/VodCommandSender.h"
#include "teacher/WakeOnLan.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kNotice = WM_APP + 1;
constexpr DWORD kMsPerSecond = 1000;

std::string Hex(const char* data, size_t length)
{
    std::string text;
    char byte[4];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", static_cast<unsigned char>(data[i]));
        text += byte;
    }
    return text;
}

std::string Bytes(const char* hex)
{
    std::string bytes;
    for (const char* p = hex; p[0] != '\0' && p[1] != '\0'; p += 2) {
        const char pair[3] = {p[0], p[1], '\0'};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

HWND MessageWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DatagramProbe";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

void MarkReady(const char* file)
{
    std::ofstream(std::string(file) + ".ready") << "ready\n";
}

// Runs `onNotice` for each `message` posted to `window` during `seconds`
// or until `done` holds.
template <typename F, typename D>
void PumpNotices(HWND window, UINT message, int seconds, F onNotice, D done)
{
    const DWORD end = GetTickCount() + seconds * kMsPerSecond;
    while (static_cast<LONG>(end - GetTickCount()) > 0 && !done()) {
        MSG msg;
        while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message == message)
                onNotice();
        }
        Sleep(5);
    }
}

int Listen(const char* group, int port, int seconds, const char* file, int count)
{
    CMulticastSocket socket;
    HWND window = MessageWindow();
    if (!socket.Create(inet_addr(group), htons(static_cast<uint16_t>(port)), nullptr, 1) ||
        !socket.JoinGroup(nullptr, 1) || !socket.AsyncSelect(window, kNotice, FD_READ))
        return 2;
    std::ofstream out(file);
    MarkReady(file);
    int notices = 0;
    int received = 0;
    PumpNotices(
        window, kNotice, seconds,
        [&] {
            ++notices;
            char buffer[2048];
            DWORD length = 0;
            while (socket.RecvFrom(buffer, sizeof buffer, &length)) {
                out << Hex(buffer, length) << " from " << inet_ntoa(socket.FromAddress().sin_addr) << "\n";
                ++received;
            }
        },
        [&] { return received >= count; });
    out << "notices " << (notices > 0 ? "yes" : "no") << "\n";
    return 0;
}

int ListenPort(int port, int seconds, const char* file, int count)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    const BOOL on = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(port));
    if (bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return 2;
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    std::ofstream out(file);
    MarkReady(file);
    const DWORD end = GetTickCount() + seconds * kMsPerSecond;
    char buffer[2048];
    int received = 0;
    while (static_cast<LONG>(end - GetTickCount()) > 0 && received < count) {
        int length;
        while ((length = recv(s, buffer, sizeof buffer, 0)) > 0) {
            out << length << " " << Hex(buffer, 12) << "\n";
            ++received;
        }
        Sleep(2);
    }
    closesocket(s);
    return 0;
}

int Send(const char* group, int port, char** hex, int count)
{
    CMulticastSocket socket;
    if (!socket.Create(inet_addr(group), htons(static_cast<uint16_t>(port)), nullptr, 1) ||
        !socket.JoinGroup(nullptr, 0))
        return 2;
    for (int i = 0; i < count; ++i) {
        const std::string bytes = Bytes(hex[i]);
        DWORD sent = 0;
        if (!socket.SendTo(bytes.data(), static_cast<int>(bytes.size()), &sent, 3))
            return 3;
        Sleep(200); // one notice per datagram on the other side
    }
    return 0;
}

int Signal(int classroom, int mainPort, const char* group)
{
    CClassroomSockets sockets;
    if (!sockets.Open(MessageWindow(), static_cast<uint16_t>(mainPort), inet_addr(group), kq::ReadAdapterAddress()))
        return 2;
    sockets.SendSignal(1, static_cast<uint8_t>(classroom));
    sockets.SendSignal(0, static_cast<uint8_t>(classroom));
    return 0;
}

int Wake()
{
    kq::SeatGrid grid{};
    grid[0][0].mac = "00e04c000001";
    grid[0][2].mac = "00e04c000002";
    grid[1][0].mac = "00e04c000003";
    grid[1][2].mac = "00e04c000004";
    CWakeOnLan sender;
    if (sender.Open() != 0)
        return 2;
    return sender.WakeSeats(grid, 2, 3, CWakeOnLan::kSeatRepeats) == 16 ? 0 : 3;
}

int Vod(const char* address, int port, const char* command)
{
    const VodCommandArgs args{"第三频道", 3, inet_addr(address), static_cast<uint16_t>(port), command};
    return SendVodCommand(&args) == 0 ? 0 : 2;
}

int Classroom(int mainPort, const char* group, int seconds, const char* file, int count)
{
    CClassroomSockets sockets;
    HWND window = MessageWindow();
    const std::string adapter = kq::ReadAdapterAddress();
    if (!sockets.Open(window, static_cast<uint16_t>(mainPort), inet_addr(group), adapter))
        return 2;
    std::ofstream out(file);
    out << "adapter " << adapter << "\n";
    MarkReady(file);
    int received = 0;
    const auto report = [&] {
        CClassroomSockets::Datagram d;
        if (!sockets.Receive(d))
            return;
        ++received;
        int state = -1;
        switch (d.kind) {
        case kq::ClassroomPortDatagram::JoinNotice:
            out << "seat " << int(d.notice.seat);
            if (kq::SeatStateForJoinNotice(d.notice, state))
                out << " state " << state << "\n";
            else
                out << " unchanged\n";
            break;
        case kq::ClassroomPortDatagram::LinkListRequest:
            out << "link-list request\n";
            break;
        case kq::ClassroomPortDatagram::Other:
            out << "dropped\n";
            break;
        }
    };
    PumpNotices(window, CClassroomSockets::kReadMessage, seconds, report, [&] { return received >= count; });
    return 0;
}

HWND WaitForTopLevel(const char* title)
{
    constexpr DWORD kPatienceMs = 60000;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(100)) {
        if (HWND window = FindWindowA(nullptr, title); window != nullptr && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

int TeacherCommand(int id, const std::string& answer)
{
    constexpr char kMainTitle[] = "晨星电子教室";
    constexpr char kQuestionTitle[] = "KqYesNoDlg";
    constexpr int kYes = 706;
    constexpr int kNo = 705;
    HWND main = WaitForTopLevel(kMainTitle);
    if (main == nullptr)
        return 2;
    PostMessageA(main, WM_COMMAND, id, 0);
    HWND question = WaitForTopLevel(kQuestionTitle);
    if (question == nullptr)
        return 3;
    PostMessageA(question, WM_COMMAND, answer == "yes" ? kYes : kNo, 0);
    // Back when the question is gone and the command has run.
    for (int i = 0; i < 600 && IsWindow(question); ++i)
        Sleep(100);
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 30000, nullptr);
    return 0;
}

int TeacherClose()
{
    HWND main = FindWindowA(nullptr, "晨星电子教室");
    if (main == nullptr)
        return 2;
    PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const std::string mode = argc > 1 ? argv[1] : "";
    int result = 1;
    if (mode == "listen" && argc == 7)
        result = Listen(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5], std::atoi(argv[6]));
    else if (mode == "listen-port" && argc == 6)
        result = ListenPort(std::atoi(argv[2]), std::atoi(argv[3]), argv[4], std::atoi(argv[5]));
    else if (mode == "send" && argc >= 5)
        result = Send(argv[2], std::atoi(argv[3]), argv + 4, argc - 4);
    else if (mode == "signal" && argc == 5)
        result = Signal(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    else if (mode == "wake")
        result = Wake();
    else if (mode == "vod" && argc == 5)
        result = Vod(argv[2], std::atoi(argv[3]), argv[4]);
    else if (mode == "classroom" && argc == 7)
        result = Classroom(std::atoi(argv[2]), argv[3], std::atoi(argv[4]), argv[5], std::atoi(argv[6]));
    else if (mode == "teacher-command" && argc == 4)
        result = TeacherCommand(std::atoi(argv[2]), argv[3]);
    else if (mode == "teacher-close")
        result = TeacherClose();
    else
        std::fprintf(stderr, "DatagramProbe: unknown mode or arguments\n");
    WSACleanup();
    return result;
}
