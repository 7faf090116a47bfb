// A stand-in "program" for a classroom PC, used by the harness until the real
// programs run there: a window titled with the computer name, and a multicast
// exchange of computer names on 227.1.1.6 so that PCs can see each other.
//
//   Placeholder.exe                         window; lists the names it hears
//   Placeholder.exe /exchange FILE SECONDS  no window; writes the first other
//                                           name heard to FILE, exit 0, or 2
//                                           when none came in time

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr char kGroup[] = "227.1.1.6";
constexpr u_short kPort = 5997;
constexpr char kPrefix[] = "KQPC ";
constexpr UINT kSocketMessage = WM_APP + 1;
constexpr UINT_PTR kSendTimer = 1;
constexpr UINT kSendIntervalMs = 300;

std::string g_name;
std::set<std::string> g_heard;
SOCKET g_socket = INVALID_SOCKET;

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size))
        return "PC";
    return name;
}

bool OpenSocket()
{
    g_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (g_socket == INVALID_SOCKET)
        return false;
    BOOL on = TRUE;
    setsockopt(g_socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(g_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        return false;
    ip_mreq join = {};
    join.imr_multiaddr.s_addr = inet_addr(kGroup);
    join.imr_interface.s_addr = htonl(INADDR_ANY);
    return setsockopt(g_socket, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&join),
                      sizeof join) == 0;
}

void SendName()
{
    const std::string text = kPrefix + g_name;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(kPort);
    to.sin_addr.s_addr = inet_addr(kGroup);
    sendto(g_socket, text.data(), static_cast<int>(text.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

// Returns the other PC's name in a datagram, or "" for our own or foreign ones.
std::string ReceiveName()
{
    char buffer[256];
    const int n = recv(g_socket, buffer, sizeof buffer, 0);
    const size_t prefixLength = sizeof kPrefix - 1;
    if (n <= static_cast<int>(prefixLength) || std::memcmp(buffer, kPrefix, prefixLength) != 0)
        return "";
    std::string name(buffer + prefixLength, buffer + n);
    return name == g_name ? "" : name;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        SendName();
        return 0;
    case kSocketMessage: {
        const std::string name = ReceiveName();
        if (!name.empty() && g_heard.insert(name).second)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        std::string text = "This PC: " + g_name + "\r\nHeard:";
        for (const std::string& name : g_heard)
            text += "\r\n  " + name;
        RECT rc;
        GetClientRect(hwnd, &rc);
        InflateRect(&rc, -16, -16);
        DrawTextA(dc, text.c_str(), -1, &rc, DT_LEFT | DT_TOP);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int RunWindow(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KqPlaceholder";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA(wc.lpszClassName, g_name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480,
                              320, nullptr, nullptr, instance, nullptr);
    WSAAsyncSelect(g_socket, hwnd, kSocketMessage, FD_READ);
    SetTimer(hwnd, kSendTimer, kSendIntervalMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int RunExchange(const char* outFile, int seconds)
{
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < deadline) {
        SendName();
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(g_socket, &readable);
        timeval wait = {0, static_cast<long>(kSendIntervalMs) * 1000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        const std::string name = ReceiveName();
        if (name.empty())
            continue;
        // Keep sending a little longer so the other PC hears us too.
        for (int i = 0; i < 10; ++i) {
            SendName();
            Sleep(kSendIntervalMs);
        }
        FILE* f = std::fopen(outFile, "w");
        if (!f)
            return 1;
        std::fprintf(f, "%s\n", name.c_str());
        std::fclose(f);
        return 0;
    }
    return 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return 1;
    g_name = ComputerName();
    if (!OpenSocket()) {
        MessageBoxA(nullptr, "Cannot open the multicast socket.", g_name.c_str(), MB_OK);
        return 1;
    }
    int result;
    if (__argc >= 4 && std::strcmp(__argv[1], "/exchange") == 0)
        result = RunExchange(__argv[2], std::atoi(__argv[3]));
    else
        result = RunWindow(instance);
    closesocket(g_socket);
    WSACleanup();
    return result;
}
