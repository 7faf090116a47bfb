// mirage-listen: a native listener that shows what the engine puts on the
// wire. It joins the group (inside the private network of the test scripts),
// checks every datagram with the engine's own parser, reassembles blocks,
// decompresses and decodes them, and writes
//   OUTDIR/wire.log      one line per datagram: time, kind, subtype, fragment, lengths,
//                        the station a watch request names
//   OUTDIR/frame-N.ppm   each decoded block as a top-down RGB picture
//   OUTDIR/shape-N.bin   each cursor-shape area announced by shape on
//
//   mirage-listen GROUP PORT OUTDIR SECONDS [watch|count]
//
// "watch" logs the watch requests only, and reassembles nothing: it keeps up
// with any flood of screens. "count" logs one line per block announced (its
// fragments received of those sent; ok when all arrived) and one per frame
// end, and decodes and writes nothing: many of them run beside a classroom's PCs.

#include "broadcast/DatagramParser.h"
#include "broadcast/FrameRows.h"
#include "broadcast/MirageDatagram.h"
#include "standins/ijl11/JpegCodec.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/time.h>
#include <unistd.h>
#include <zlib.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kStreamCapacity = 2490368; // the largest frame class
constexpr uint32_t kSlots = 16;
constexpr size_t kSlotStride = 247808;
constexpr size_t kBlockArea = 4063232;
constexpr size_t kZlibSlack = 2048;
constexpr int kReceiveTimeoutMs = 100;
constexpr uint32_t kBits24 = 24;
constexpr uint32_t kBits16 = 16;

// Milliseconds on the monotonic clock.
double MonotonicMs()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Listener {
    std::string folder;
    FILE* log = nullptr;
    double start = MonotonicMs();
    // Log times are the kernel's wall-clock arrival times in milliseconds, so
    // that scripts can place them beside the host's own lines however far
    // decoding falls behind.
    double arrival = 0;
    std::vector<uint8_t> wire = std::vector<uint8_t>(kStreamCapacity + kMirageFragmentPayload);
    std::vector<bool> received;
    uint8_t shape[kMirageCursorShapeAreaSize] = {};
    int frames = 0;
    int shapes = 0;
    bool watchOnly = false;
    bool countOnly = false;

    double Now() const { return arrival; }
    double Elapsed() const { return MonotonicMs() - start; }

    void WritePpm(const std::vector<uint8_t>& rgb, uint32_t width, uint32_t height, const std::string& name)
    {
        FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
        if (f == nullptr)
            return;
        std::fprintf(f, "P6\n%u %u\n255\n", width, height);
        std::fwrite(rgb.data(), 1, rgb.size(), f);
        std::fclose(f);
    }

    // Bottom-up rows of `bits` per pixel (24 BGR or 16 as 5-5-5) to top-down RGB.
    static std::vector<uint8_t> ToRgb(const uint8_t* rows, uint32_t width, uint32_t height, uint32_t bits)
    {
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        const auto rowBytes = static_cast<size_t>(FrameRowBytes(width, bits));
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* row = rows + (height - 1 - y) * rowBytes;
            uint8_t* out = rgb.data() + static_cast<size_t>(y) * width * 3;
            for (uint32_t x = 0; x < width; ++x, out += 3) {
                if (bits == kBits24) {
                    out[0] = row[3 * x + 2];
                    out[1] = row[3 * x + 1];
                    out[2] = row[3 * x];
                } else {
                    const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
                    out[0] = static_cast<uint8_t>(((v >> 10) & 31) << 3);
                    out[1] = static_cast<uint8_t>(((v >> 5) & 31) << 3);
                    out[2] = static_cast<uint8_t>((v & 31) << 3);
                }
            }
        }
        return rgb;
    }

    // Decodes the block just announced; false when it cannot be.
    bool Decode(const ParsedDatagram& d, std::vector<uint8_t>& rgb)
    {
        const auto width = static_cast<uint32_t>(d.rect.right - d.rect.left);
        const auto height = static_cast<uint32_t>(d.rect.bottom - d.rect.top);
        if (d.compression == MIRAGE_COMPRESSION_ZLIB) {
            if (d.bitsPerPixel != kBits24 && d.bitsPerPixel != kBits16)
                return false;
            const size_t rowBytes = (static_cast<size_t>(width) * d.bitsPerPixel + 31) / 32 * 4;
            std::vector<uint8_t> rows(rowBytes * height + kZlibSlack);
            uLongf size = rows.size();
            if (uncompress(rows.data(), &size, wire.data(), d.length) != Z_OK || size < rowBytes * height)
                return false;
            rgb = ToRgb(rows.data(), width, height, d.bitsPerPixel);
            return true;
        }
        JPEG_CORE_PROPERTIES p;
        kq::ijl::Init(p);
        const int32_t pad = static_cast<int32_t>(((3 * width + 3) & ~3u) - 3 * width);
        std::vector<uint8_t> rows((3 * width + pad) * static_cast<size_t>(height));
        p.DIBBytes = rows.data();
        p.DIBWidth = static_cast<int32_t>(width);
        p.DIBHeight = static_cast<int32_t>(height);
        p.DIBPadBytes = pad;
        p.JPGBytes = wire.data();
        p.JPGSizeBytes = static_cast<int32_t>(d.length);
        const bool ok = kq::ijl::Read(p, IJL_JBUFF_READWHOLEIMAGE) == IJL_OK;
        kq::ijl::Free(p);
        if (ok)
            rgb = ToRgb(rows.data(), width, height, kBits24);
        return ok;
    }

    void OnDatagram(const uint8_t* data, size_t length)
    {
        const MirageReceiveCapacity capacity = {wire.size(), kStreamCapacity, kSlots, kSlotStride, kBlockArea,
                                                kStreamCapacity};
        ParsedDatagram d;
        if (!ParseMirageDatagram(data, length, capacity, d)) {
            std::fprintf(log, "%.1f refused kind=%u len=%zu\n", Now(), data[0 + 1], length);
            return;
        }
        const double t = Now();
        if (watchOnly && d.message != MirageMessage::WatchSelect)
            return;
        switch (d.message) {
        case MirageMessage::ScreenFragment:
            std::memcpy(wire.data() + d.targetOffset, d.payload, d.payloadSize);
            if (received.size() <= d.fragment)
                received.resize(d.fragment + 1);
            received[d.fragment] = true;
            if (!countOnly)
                std::fprintf(log, "%.1f screen frag=%u\n", t, d.fragment);
            break;
        case MirageMessage::BlockHeader:
        case MirageMessage::FrameEnd: {
            const bool header = d.message == MirageMessage::BlockHeader;
            size_t got = 0;
            for (bool r : received)
                got += r ? 1 : 0;
            if (countOnly) {
                if (header) {
                    const bool complete = got == d.fragmentCount && d.fragmentCount == FragmentCountOf(d.length);
                    std::fprintf(log, "%.1f block n=%d ok=%d got=%zu count=%u rect=%d,%d,%d,%d\n", t, frames++,
                                 complete ? 1 : 0, got, d.fragmentCount, d.rect.left, d.rect.top, d.rect.right,
                                 d.rect.bottom);
                    std::fflush(log);
                    received.clear();
                } else {
                    std::fprintf(log, "%.1f end\n", t);
                }
                return;
            }
            std::fprintf(log,
                         "%.1f control sub=%d comp=%u bpp=%u w=%u h=%u len=%u q=%u count=%u rect=%d,%d,%d,%d "
                         "idx=%u bar=%u win=%u grid=%u got=%zu\n",
                         t, header ? 8 : 2, d.compression, d.bitsPerPixel, d.frameWidth, d.frameHeight, d.length,
                         d.quality, d.fragmentCount, d.rect.left, d.rect.top, d.rect.right, d.rect.bottom,
                         d.blockIndex, d.recordBar, d.windowed, d.gridMode, got);
            if (header) {
                std::vector<uint8_t> rgb;
                const bool complete = got == d.fragmentCount && d.fragmentCount == FragmentCountOf(d.length);
                const bool ok = complete && Decode(d, rgb);
                const std::string name = "frame-" + std::to_string(frames) + ".ppm";
                if (ok)
                    WritePpm(rgb, static_cast<uint32_t>(d.rect.right - d.rect.left),
                             static_cast<uint32_t>(d.rect.bottom - d.rect.top), name);
                std::fprintf(log, "%.1f frame n=%d ok=%d file=%s\n", t, frames, ok ? 1 : 0, name.c_str());
                ++frames;
                received.clear();
            }
            break;
        }
        case MirageMessage::CursorShapeFragment:
            std::memcpy(shape + d.targetOffset, d.payload, d.payloadSize);
            std::fprintf(log, "%.1f shape part=%u\n", t, d.fragment);
            break;
        case MirageMessage::CursorShapeOn: {
            const std::string name = "shape-" + std::to_string(shapes++) + ".bin";
            if (FILE* f = std::fopen((folder + "/" + name).c_str(), "wb")) {
                std::fwrite(shape, 1, sizeof shape, f);
                std::fclose(f);
            }
            std::fprintf(log, "%.1f control sub=5 file=%s\n", t, name.c_str());
            break;
        }
        case MirageMessage::CursorShapeOff:
            std::fprintf(log, "%.1f control sub=6\n", t);
            break;
        case MirageMessage::CursorPosition:
            std::fprintf(log, "%.1f input sub=1 x=%d y=%d\n", t, d.x, d.y);
            break;
        case MirageMessage::WatchSelect:
            std::fprintf(log, "%.1f watch from=%u id=%u\n", t, data[0], d.watchedId);
            break;
        default:
            std::fprintf(log, "%.1f other kind=%u sub=%u\n", t, data[1], data[4] | (data[5] << 8));
            break;
        }
        if (!countOnly)
            std::fflush(log);
    }

    static uint32_t FragmentCountOf(uint32_t length)
    {
        return static_cast<uint32_t>((length + kMirageFragmentPayload - 1) / kMirageFragmentPayload);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s GROUP PORT OUTDIR SECONDS [watch|count]\n", argv[0]);
        return 2;
    }
    Listener listener;
    listener.folder = argv[3];
    listener.watchOnly = argc > 5 && std::strcmp(argv[5], "watch") == 0;
    listener.countOnly = argc > 5 && std::strcmp(argv[5], "count") == 0;
    listener.log = std::fopen((listener.folder + "/wire.log").c_str(), "w");
    if (listener.log == nullptr)
        return 1;
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const int buffer = 32 << 20; // room while frames are decoded and written
    if (setsockopt(s, SOL_SOCKET, SO_RCVBUFFORCE, &buffer, sizeof buffer) != 0)
        setsockopt(s, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    setsockopt(s, SOL_SOCKET, SO_TIMESTAMP, &on, sizeof on);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(std::atoi(argv[2])));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        std::perror("bind");
        return 1;
    }
    ip_mreq join = {};
    join.imr_multiaddr.s_addr = inet_addr(argv[1]);
    join.imr_interface.s_addr = htonl(INADDR_ANY);
    if (setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, &join, sizeof join) != 0) {
        std::perror("join");
        return 1;
    }
    timeval timeout = {0, kReceiveTimeoutMs * 1000};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::printf("listening\n");
    std::fflush(stdout);

    const double seconds = std::atof(argv[4]);
    uint8_t datagram[kMirageDatagramSize + 1];
    while (listener.Elapsed() < seconds * 1000) {
        iovec io = {datagram, sizeof datagram};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timeval))];
        msghdr message = {};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(s, &message, 0);
        if (n <= 0)
            continue;
        timeval stamp = {};
        gettimeofday(&stamp, nullptr);
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c))
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMP)
                std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        listener.arrival = stamp.tv_sec * 1000.0 + stamp.tv_usec / 1000.0;
        listener.OnDatagram(datagram, static_cast<size_t>(n));
    }
    std::fclose(listener.log);
    close(s);
    return 0;
}
