// ReceiverBench.exe: how fast a student PC's receive path runs. It joins the
// group with the engine's own socket settings and, on one thread, runs what
// the receive thread and the views run for every datagram: the validating
// parser, reassembly, decoding and composing, then draws each frame 1:1 and
// stretched. After SECONDS it prints one table row for LABEL, then
// "measured", and keeps the socket open 2 s more (the script reads the
// socket's drop count meanwhile).
//
//   ReceiverBench.exe GROUP PORT SECONDS LABEL      run inside the private network

#include "broadcast/DatagramParser.h"
#include "broadcast/FrameAssembler.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/JpegBlockDecoder.h"
#include "broadcast/JpegLibrary.h"
#include "broadcast/MirageEngineState.h"
#include "framework/Stopwatch.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClass3Buffer = 2490368; // 1024 x 768 x 3 + 131,072
constexpr int kStretchedWidth = 640;
constexpr int kStretchedHeight = 480;
constexpr DWORD kReceiveTimeoutMs = 200;
constexpr DWORD kLingerMs = 2000;
constexpr double kSenderPatienceMs = 60000;
constexpr double kMsPerSecond = 1000.0;

HWND MakeWindow(int x, int y, int w, int h)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ReceiverBenchView";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::puts("usage: ReceiverBench.exe GROUP PORT SECONDS LABEL");
        return 2;
    }
    const int seconds = std::atoi(argv[3]);
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);

    MirageEngineState& state = EngineState();
    state.groupNumeric = inet_addr(argv[1]);
    state.port = static_cast<uint16_t>(std::atoi(argv[2]));
    state.portNetworkOrder = htons(state.port);
    if (GroupSocket().Open(".") != 0) {
        std::puts("error: no socket");
        return 1;
    }
    const auto s = static_cast<SOCKET>(state.socketHandle.load());
    const DWORD timeout = kReceiveTimeoutMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);

    std::vector<uint8_t> wire(kClass3Buffer + kMirageWireSlack), area(kMirageBlockAreaSize), frame(kClass3Buffer);
    uint8_t shape[kMirageCursorShapeAreaSize] = {};
    MirageRect rects[kMirageFrameRects] = {};
    CFrameAssembler assembler({wire.data(), wire.size(), area.data(), area.size(), kMirageBlockSlotStride,
                               frame.data(), frame.size(), shape, rects});
    CJpegLibrary& library = JpegLibrary();
    library.Load();
    IjlEntries ijl;
    ijl.init = [&library](JPEG_CORE_PROPERTIES* p) { return library.Init(p); };
    ijl.free = [&library](JPEG_CORE_PROPERTIES* p) { return library.Free(p); };
    ijl.read = [&library](JPEG_CORE_PROPERTIES* p, int32_t io) { return library.Read(p, io); };
    assembler.SetJpegDecoder([&ijl](const uint8_t* stream, size_t n, uint8_t* out, size_t cap, uint32_t w,
                                    uint32_t h, uint16_t q) { return DecodeJpegBlock(ijl, stream, n, out, cap, w, h, q); });
    const MirageReceiveCapacity capacity = {wire.size(), kClass3Buffer, kMirageBlockSlots, kMirageBlockSlotStride,
                                            kMirageBlockAreaSize, kClass3Buffer};

    HWND full = MakeWindow(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HWND small = MakeWindow(0, 0, kStretchedWidth, kStretchedHeight);
    HDC fullDc = GetDC(full);
    HDC smallDc = GetDC(small);
    SetStretchBltMode(smallDc, COLORONCOLOR);

    double reassemblyMs = 0, decodeMs = 0, composeMs = 0, drawMs = 0, stretchMs = 0;
    uint64_t frames = 0;
    CStopwatch clock, step;
    double firstFrameAt = -1, lastFrameAt = 0;
    uint8_t buffer[kMirageDatagramSize + 1];
    uint64_t received = 0;
    // The measured time starts with the first datagram, however long the
    // sender took to start.
    while (received == 0 ? clock.ElapsedMs() < kSenderPatienceMs : clock.ElapsedMs() < seconds * kMsPerSecond) {
        const int length = recv(s, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
        if (length > 0 && received++ == 0)
            clock.Restart();
        ParsedDatagram d;
        if (length != static_cast<int>(kMirageDatagramSize) ||
            !ParseMirageDatagram(buffer, static_cast<size_t>(length), capacity, d))
            continue;
        step.Restart();
        const CFrameAssembler::Outcome outcome = assembler.Accept(d);
        const double ms = step.ElapsedMs();
        if (d.message == MirageMessage::ScreenFragment)
            reassemblyMs += ms;
        else if (d.message == MirageMessage::BlockHeader)
            decodeMs += ms;
        if (outcome != CFrameAssembler::Outcome::FrameComposed)
            continue;
        composeMs += ms;
        const MirageGeometry& g = assembler.Geometry();
        DibHeader dib = {};
        dib.header.biSize = sizeof(BITMAPINFOHEADER);
        dib.header.biWidth = static_cast<LONG>(g.width);
        dib.header.biHeight = static_cast<LONG>(g.height);
        dib.header.biPlanes = 1;
        dib.header.biBitCount = g.bitsPerPixel;
        step.Restart();
        SetDIBitsToDevice(fullDc, 0, 0, g.width, g.height, 0, 0, 0, g.height, frame.data(),
                          reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS);
        GdiFlush();
        drawMs += step.ElapsedMs();
        step.Restart();
        StretchDIBits(smallDc, 0, 0, kStretchedWidth, kStretchedHeight, 0, 0, g.width, g.height, frame.data(),
                      reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
        stretchMs += step.ElapsedMs();
        ++frames;
        lastFrameAt = clock.ElapsedMs();
        if (firstFrameAt < 0)
            firstFrameAt = lastFrameAt;
    }
    const MirageReceiveCounters& c = assembler.Counters();
    const double perFrame = frames > 0 ? 1.0 / static_cast<double>(frames) : 0;
    const double rate = frames > 1 ? (frames - 1) * kMsPerSecond / (lastFrameAt - firstFrameAt) : 0;
    std::printf("| %s | %llu | %.2f | %.2f | %.2f | %.2f | %.2f | %.1f | %llu | %llu |",
                argv[4], static_cast<unsigned long long>(frames), reassemblyMs * perFrame, decodeMs * perFrame,
                composeMs * perFrame, drawMs * perFrame, stretchMs * perFrame, rate,
                static_cast<unsigned long long>(c.fragmentsLost), static_cast<unsigned long long>(c.blocksDropped));
    std::puts("");
    std::printf("received %llu datagrams\n", static_cast<unsigned long long>(received));
    std::puts("measured");
    std::fflush(stdout);
    Sleep(kLingerMs);
    GroupSocket().Close();
    return frames > 0 ? 0 : 1;
}
