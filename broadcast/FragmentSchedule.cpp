#include "broadcast/FragmentSchedule.h"

#include "broadcast/MirageDatagram.h"

uint32_t FragmentCount(size_t length)
{
    return static_cast<uint32_t>((length + kMirageFragmentPayload - 1) / kMirageFragmentPayload);
}

bool StreamFitsOneBlock(size_t length)
{
    return length <= kMirageMaxBlockStream;
}

bool PauseBeforeFragment(uint32_t k, uint16_t burstLength)
{
    const uint32_t burst = burstLength == 0 ? 1 : burstLength; // options floor it at 1
    return k % (burst + 1) == burst;
}
