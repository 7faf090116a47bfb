// SenderBench.exe: how fast the screen sender's own frame path runs. The
// engine is opened in this process; the benchmark covers the screen with a
// desktop-like picture whose one region changes every frame and runs the
// sender's frame function (capture, compress, fragment, send, header, frame
// end) for each compression and pacing setting, printing one table row each.
// A second table gives what one datagram costs under this system: the send
// discipline (named mutex around sendto), sendto alone, and the mutex alone.
//
//   SenderBench.exe [FRAMES] [GROUP] [PORT]        run inside the private network

#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/SendScreenWnd.h"
#include "broadcast/tests/TestPattern.h"
#include "framework/Stopwatch.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDefaultFrames = 20;
constexpr char kDefaultGroup[] = "239.255.77.21";
constexpr int kDefaultPort = 47321;
constexpr int kRegionSide = 160;
constexpr DWORD kSocketWaitMs = 10000;
constexpr uint16_t kNoPacingBurst = 65535; // longer than any frame
constexpr double kHeaderDelaysMs = 4;     // block header and frame end
constexpr int kCostSends = 4000;
constexpr char kSendMutexName[] = "domainsocket";
constexpr DWORD kSendMutexWaitMs = 10;

struct Setting {
    const char* name;
    uint8_t compression;
    uint16_t quality;
};

struct Pacing {
    const char* name;
    uint16_t pause;
    uint16_t burst;
    int frameDivisor; // the slowest step runs fewer frames: it takes seconds each
};

const Setting kSettings[] = {
    {"zlib", MIRAGE_COMPRESSION_ZLIB, 10},
    {"jpeg30", MIRAGE_COMPRESSION_JPEG, 30},
    {"jpeg60", MIRAGE_COMPRESSION_JPEG, 60},
    {"jpeg90", MIRAGE_COMPRESSION_JPEG, 90},
};

// Off, and the teacher's speed steps 1, 10 and 20.
const Pacing kPacings[] = {
    {"off", 1, kNoPacingBurst, 1},
    {"step1 27/1", 27, 1, 5},
    {"step10 1/1", 1, 1, 1},
    {"step20 1/20", 1, 20, 1},
};

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    // A photo-like gradient on the right half, flat panels and text on the left.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right / 2;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> photo(static_cast<size_t>(info.bmiHeader.biWidth) * client.bottom);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < info.bmiHeader.biWidth; ++x) {
            const kq::test::Rgb c = kq::test::PatternPixel(x * 2, y);
            photo[static_cast<size_t>(y) * info.bmiHeader.biWidth + x] =
                (c.r << 16) | (((c.g + x * y / 97) & 255) << 8) | (c.b / 2 + y % 7);
        }
    SetDIBitsToDevice(dc, client.right / 2, 0, info.bmiHeader.biWidth, client.bottom, 0, 0, 0, client.bottom,
                      photo.data(), &info, DIB_RGB_COLORS);
    RECT panel = {0, 0, client.right / 2, client.bottom};
    HBRUSH face = CreateSolidBrush(RGB(236, 233, 216));
    FillRect(dc, &panel, face);
    DeleteObject(face);
    SetBkMode(dc, TRANSPARENT);
    for (int y = 40; y < client.bottom; y += 18) {
        const std::string line = "Line " + std::to_string(y) + ": the quick brown fox jumps over the lazy dog";
        TextOutA(dc, 16, y, line.c_str(), static_cast<int>(line.size()));
    }
    EndPaint(hwnd, &paint);
    return 0;
}

HWND MakeDesktop()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DesktopProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SenderBenchDesktop";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The region that changes every frame: a moving, recoloured block.
void ChangeRegion(HWND desktop, int frame)
{
    HDC dc = GetDC(desktop);
    RECT r = {200 + (frame * 13) % 300, 300, 0, 300 + kRegionSide};
    r.right = r.left + kRegionSide;
    HBRUSH brush = CreateSolidBrush(RGB(frame * 37 & 255, frame * 91 & 255, frame * 53 & 255));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(desktop, dc);
}

// Microseconds per datagram of three bare loops on the engine's socket:
// mutex + sendto (the engine's discipline), sendto alone, the mutex alone.
void PrintDatagramCost(const char* group, int port)
{
    const auto s = static_cast<SOCKET>(EngineState().socketHandle.load());
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = inet_addr(group);
    to.sin_port = htons(static_cast<u_short>(port));
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kSendMutexName);
    std::vector<char> datagram(kMirageDatagramSize); // all zero: receivers drop it
    auto sendOne = [&] {
        return sendto(s, datagram.data(), static_cast<int>(datagram.size()), 0, reinterpret_cast<sockaddr*>(&to),
                      sizeof to) == static_cast<int>(datagram.size());
    };
    auto perSendUs = [](auto&& body) {
        int failed = 0;
        const CStopwatch clock;
        for (int i = 0; i < kCostSends; ++i)
            failed += body() ? 0 : 1;
        const double us = clock.ElapsedMs() * 1000.0 / kCostSends;
        return std::make_pair(us, failed);
    };
    const auto disciplined = perSendUs([&] {
        WaitForSingleObject(mutex, kSendMutexWaitMs);
        const bool sent = sendOne();
        ReleaseMutex(mutex);
        return sent;
    });
    const auto bare = perSendUs(sendOne);
    const auto mutexOnly = perSendUs([&] {
        const bool owned = WaitForSingleObject(mutex, kSendMutexWaitMs) == WAIT_OBJECT_0;
        ReleaseMutex(mutex);
        return owned;
    });
    CloseHandle(mutex);
    std::printf("| loop | us per datagram | datagrams/s at most | failed |\n|---|---|---|---|\n");
    const std::pair<const char*, std::pair<double, int>> rows[] = {
        {"mutex + sendto", disciplined}, {"sendto alone", bare}, {"mutex alone", mutexOnly}};
    for (const auto& [name, cost] : rows)
        std::printf("| %s | %.1f | %.0f | %d |\n", name, cost.first, 1e6 / cost.first, cost.second);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : kDefaultFrames;
    const char* group = argc > 2 ? argv[2] : kDefaultGroup;
    const int port = argc > 3 ? std::atoi(argv[3]) : kDefaultPort;

    HWND desktop = MakeDesktop();
    Pump();
    if (MirageEngine().Open(0) != CMirageEngine::kOk) {
        std::printf("error: the engine did not open\n");
        return 1;
    }
    // What a mode would set: the group (the receive thread then opens the
    // socket), and a sender that neither runs a timer nor takes snapshots.
    MirageEngineState& state = EngineState();
    std::snprintf(state.groupAddress, sizeof state.groupAddress, "%s", group);
    state.port = static_cast<uint16_t>(port);
    state.portNetworkOrder = htons(static_cast<u_short>(port));
    state.ownId = 0;
    state.viewState = 0;
    state.groupNumeric = inet_addr(group);
    const DWORD start = GetTickCount();
    while (state.socketHandle == 0 && GetTickCount() - start < kSocketWaitMs)
        Sleep(10);
    if (state.socketHandle == 0) {
        std::printf("error: no group socket\n");
        return 1;
    }
    CSendScreenWnd& sender = SendScreenWnd();
    sender.CreateSender();
    state.engineActive = 1;

    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    std::printf("| screen | compression | pacing (pause/burst) | capture ms | compress ms | bytes/frame | "
                "datagrams/frame | frames/s | cost ratio | send ms | sleep ms (floor) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    int frameNumber = 0;
    for (const Setting& setting : kSettings) {
        for (const Pacing& pacing : kPacings) {
            state.compression = setting.compression;
            state.jpegQuality = setting.quality;
            state.burstPause = pacing.pause;
            state.burstLength = pacing.burst;
            SendFrameTimings sum;
            double wall = 0;
            double floorMs = 0;
            const int count = std::max(1, frames / pacing.frameDivisor);
            for (int i = 0; i < count; ++i) {
                ChangeRegion(desktop, frameNumber++);
                Pump();
                SendFrameTimings t;
                const CStopwatch clock;
                sender.SendFrame(&t);
                wall += clock.ElapsedMs();
                sum.captureMs += t.captureMs;
                sum.compressMs += t.compressMs;
                sum.sleptMs += t.sleptMs;
                sum.sendMs += t.sendMs;
                sum.bytes += t.bytes;
                sum.datagrams += t.datagrams;
                const uint32_t fragments = t.datagrams > 2 ? t.datagrams - 2 : 0;
                floorMs += pacing.burst == kNoPacingBurst
                               ? kHeaderDelaysMs
                               : static_cast<double>(fragments / (pacing.burst + 1u)) * pacing.pause + kHeaderDelaysMs;
            }
            const double n = count;
            const double work = (sum.captureMs + sum.compressMs) / n;
            std::printf("| %dx%dx%d | %s | %s | %.1f | %.1f | %.0f | %.0f | %.1f | %.3f | %.1f | %.1f (%.1f) |\n",
                        static_cast<int>(state.frameWidth), static_cast<int>(state.frameHeight), depth, setting.name,
                        pacing.name, sum.captureMs / n, sum.compressMs / n, static_cast<double>(sum.bytes) / n,
                        static_cast<double>(sum.datagrams) / n, 1000.0 * n / wall, (wall / n) / work,
                        sum.sendMs / n, sum.sleptMs / n + kHeaderDelaysMs, floorMs / n);
            std::fflush(stdout);
        }
    }
    std::printf("\n");
    PrintDatagramCost(group, port);
    state.engineActive = 0;
    sender.DestroySender();
    MirageEngine().Close();
    DestroyWindow(desktop);
    return 0;
}
