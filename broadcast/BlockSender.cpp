#include "broadcast/BlockSender.h"

#include "broadcast/FragmentSchedule.h"
#include "broadcast/GroupSocket.h"
#include "framework/Stopwatch.h"

double CBlockSender::SendFragments(uint8_t senderId, const uint8_t* stream, size_t length, uint16_t burstLength,
                                   uint16_t pauseMs)
{
    CStopwatch clock;
    double slept = 0;
    const uint32_t count = FragmentCount(length);
    for (uint32_t n = 0; n < count; ++n) {
        const MirageScreenFragment fragment = BuildScreenFragment(senderId, n, stream, length);
        if (PauseBeforeFragment(n, burstLength)) {
            clock.Restart();
            Sleep(pauseMs);
            slept += clock.Lap();
        }
        GroupSocket().Send(&fragment);
    }
    return slept;
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
