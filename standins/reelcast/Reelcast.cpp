// Reelcast.exe: the video channel server of the teacher's PC, started as
// "Reelcast.exe GROUP CLASSROOM" (the classroom group's four bytes read as a
// signed 32-bit integer, and the classroom number). It listens for channel
// commands on the group at port 8601 + classroom and for queries and player
// commands at port 8600 + classroom, and announces its channels there and on
// the channel receivers' fixed group 226.1.1.1, port 8600.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/VodCommandDatagram.h"
#include "standins/common/StandinWindows.h"
#include "standins/common/Trace.h"
#include "standins/reelcast/ChannelServer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using kq::reelcast::Datagram;

constexpr char kModule[] = "Reelcast";
constexpr char kWindowTitle[] = "“晨星”视频广播服务器";
constexpr char kWindowClass[] = "ReelcastServer";
constexpr char kPublicGroup[] = "226.1.1.1";
// Player commands and queries arrive where the announcements go out.
constexpr u_short kAnnouncePortBase = kq::kVodCommandPortBase;
constexpr u_short kCommandPortBase = 8601;
constexpr UINT kSocketMessage = WM_APP + 1;
constexpr int kListId = 100;
constexpr int kMaxDatagram = 1024;
constexpr int kWidth = 420;
constexpr int kHeight = 240;

struct Server {
    kq::reelcast::ChannelServer channels;
    SOCKET commandSocket = INVALID_SOCKET;
    SOCKET announceSocket = INVALID_SOCKET;
    SOCKET publicSocket = INVALID_SOCKET;
    sockaddr_in classroomTarget{};
    sockaddr_in publicTarget{};
    HWND list = nullptr;
};

Server g_server;

sockaddr_in Endpoint(uint32_t address, u_short port)
{
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(port);
    endpoint.sin_addr.s_addr = address;
    return endpoint;
}

// A UDP socket on `port` that is a member of `group` and reports reads to `window`.
SOCKET OpenGroupSocket(uint32_t group, u_short port, HWND window)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return s;
    BOOL reuse = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in local = Endpoint(htonl(INADDR_ANY), port);
    ip_mreq join{};
    join.imr_multiaddr.s_addr = group;
    join.imr_interface.s_addr = htonl(INADDR_ANY);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join), sizeof join) != 0 ||
        WSAAsyncSelect(s, window, kSocketMessage, FD_READ) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

void Announce(const std::vector<Datagram>& datagrams)
{
    if (g_server.announceSocket == INVALID_SOCKET)
        return;
    for (const Datagram& d : datagrams) {
        for (const sockaddr_in* to : {&g_server.classroomTarget, &g_server.publicTarget}) {
            if (to->sin_addr.s_addr != 0)
                sendto(g_server.announceSocket, reinterpret_cast<const char*>(d.data()), static_cast<int>(d.size()),
                       0, reinterpret_cast<const sockaddr*>(to), sizeof *to);
        }
    }
}

void ShowChannels()
{
    SendMessageA(g_server.list, LB_RESETCONTENT, 0, 0);
    static const char* const kStates[] = {"停止", "播放", "暂停"};
    for (const kq::reelcast::Channel& c : g_server.channels.Channels()) {
        const char* state = c.state >= 0 && c.state <= 2 ? kStates[c.state] : "?";
        const std::string line = std::to_string(c.value) + "  " + c.name + "  [" + state + "]  " + c.file;
        SendMessageA(g_server.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

void OnDatagram(SOCKET s)
{
    uint8_t data[kMaxDatagram];
    const int length = recv(s, reinterpret_cast<char*>(data), sizeof data, 0);
    if (length <= 0)
        return; // an error, or a datagram larger than any of ours
    const size_t size = static_cast<size_t>(length);
    Announce(s == g_server.commandSocket ? g_server.channels.OnCommandPort(data, size)
                                         : g_server.channels.OnAnnouncePort(data, size));
    ShowChannels();
}

bool OpenSockets(HWND window, uint32_t group, int classroom)
{
    const u_short announcePort = static_cast<u_short>(kAnnouncePortBase + classroom);
    const u_short commandPort = static_cast<u_short>(kCommandPortBase + classroom);
    const uint32_t publicGroup = inet_addr(kPublicGroup);
    g_server.publicTarget = Endpoint(publicGroup, kAnnouncePortBase);
    g_server.classroomTarget = Endpoint(group, announcePort);
    if (group != 0) {
        g_server.commandSocket = OpenGroupSocket(group, commandPort, window);
        g_server.announceSocket = OpenGroupSocket(group, announcePort, window);
    }
    if (announcePort == kAnnouncePortBase && g_server.announceSocket != INVALID_SOCKET) {
        ip_mreq join{};
        join.imr_multiaddr.s_addr = publicGroup;
        join.imr_interface.s_addr = htonl(INADDR_ANY);
        setsockopt(g_server.announceSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join),
                   sizeof join);
    } else {
        g_server.publicSocket = OpenGroupSocket(publicGroup, kAnnouncePortBase, window);
    }
    if (g_server.announceSocket == INVALID_SOCKET) // without a classroom group: answer on the public one
        g_server.announceSocket = g_server.publicSocket;
    return g_server.announceSocket != INVALID_SOCKET;
}

void CloseSockets()
{
    for (SOCKET* s : {&g_server.commandSocket, &g_server.announceSocket, &g_server.publicSocket}) {
        if (*s != INVALID_SOCKET && (s != &g_server.announceSocket || *s != g_server.publicSocket))
            closesocket(*s);
    }
    g_server.commandSocket = g_server.announceSocket = g_server.publicSocket = INVALID_SOCKET;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_server.list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                        0, 0, kWidth, kHeight, window, reinterpret_cast<HMENU>(kListId), nullptr,
                                        nullptr);
        return 0;
    case WM_SIZE:
        MoveWindow(g_server.list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case kSocketMessage:
        if (WSAGETSELECTERROR(lParam) == 0)
            OnDatagram(static_cast<SOCKET>(wParam));
        return 0;
    case WM_CLOSE:
        kq::Trace(kModule, "close");
        Announce(g_server.channels.WithdrawAll());
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    int groupValue = 0;
    int classroom = 0;
    std::sscanf(commandLine, "%d %d", &groupValue, &classroom);
    const uint32_t group = static_cast<uint32_t>(groupValue); // the group's bytes, as the teacher passed them
    in_addr shown{};
    shown.s_addr = group;
    kq::Trace(kModule, "start group=%s classroom=%d", inet_ntoa(shown), classroom);

    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return 1;
    kq::standin::RegisterWindowClass(kWindowClass, WindowProcedure, kq::standin::ColourBrush(COLOR_WINDOW), IDC_ARROW,
                                     instance);
    // Untitled until it listens: whoever finds the title may talk to it at once.
    HWND window = CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
                                  kHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || !OpenSockets(window, group, classroom)) {
        kq::Trace(kModule, "no sockets");
        WSACleanup();
        return 1;
    }
    SetWindowTextA(window, kWindowTitle);
    ShowWindow(window, SW_SHOWMINNOACTIVE); // beside the teacher's window, not over it
    kq::standin::RunMessageLoop();
    CloseSockets();
    WSACleanup();
    return 0;
}
