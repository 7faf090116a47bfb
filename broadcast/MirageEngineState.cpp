#include "broadcast/MirageEngineState.h"

MirageEngineState& EngineState()
{
    static MirageEngineState state;
    return state;
}

MirageReceiveCapacity ReceiveCapacity(const MirageEngineState& state)
{
    MirageReceiveCapacity capacity = {};
    if (state.wireBuffer == nullptr || state.blockArea == nullptr || state.frameBuffer == nullptr)
        return capacity; // nothing allocated: every datagram that addresses a buffer is refused
    capacity.wireBufferSize = state.frameBufferSize + kMirageWireSlack;
    capacity.streamCapacity = state.frameBufferSize;
    capacity.blockSlots = kMirageBlockSlots;
    capacity.blockSlotStride = kMirageBlockSlotStride;
    capacity.blockAreaSize = kMirageBlockAreaSize;
    capacity.frameBufferSize = state.frameBufferSize;
    return capacity;
}
