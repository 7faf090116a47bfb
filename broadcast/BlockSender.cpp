#include "broadcast/BlockSender.h"

#include "broadcast/FragmentSchedule.h"
#include "broadcast/GroupSocket.h"

namespace {
constexpr double kMsPerSecond = 1000.0;
} // namespace

double CBlockSender::SendFragments(uint8_t senderId, const uint8_t* stream, size_t length, uint16_t burstLength,
                                   uint16_t pauseMs)
{
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    LONGLONG slept = 0;
    const uint32_t count = FragmentCount(length);
    for (uint32_t n = 0; n < count; ++n) {
        const MirageScreenFragment fragment = BuildScreenFragment(senderId, n, stream, length);
        if (PauseBeforeFragment(n, burstLength)) {
            QueryPerformanceCounter(&before);
            Sleep(pauseMs);
            QueryPerformanceCounter(&after);
            slept += after.QuadPart - before.QuadPart;
        }
        GroupSocket().Send(&fragment);
    }
    return static_cast<double>(slept) * kMsPerSecond / static_cast<double>(frequency.QuadPart);
}

void CBlockSender::SendHeader(uint8_t senderId, const MirageBlockInfo& block, uint16_t headerDelayMs)
{
    const MirageBlockHeader header = BuildBlockHeader(senderId, block);
    GroupSocket().Send(&header, headerDelayMs);
}

void CBlockSender::SendFrameEnd(uint8_t senderId, const MirageBlockInfo& lastBlock, uint16_t headerDelayMs)
{
    // Receivers read neither the length nor the count of a frame end.
    MirageBlockInfo end = lastBlock;
    end.length = 0;
    end.fragmentCount = 0;
    const MirageBlockHeader frameEnd = BuildFrameEnd(senderId, end);
    GroupSocket().Send(&frameEnd, headerDelayMs);
}
