#include "teacher/VideoChannelList.h"

#include <algorithm>

namespace kq {

bool AnyChannelActive(const VideoChannelList& channels)
{
    return std::any_of(channels.begin(), channels.end(), [](const VideoChannel& c) { return c.active; });
}

int ChannelViewingFlag(const std::vector<int>& seatStates)
{
    if (seatStates.empty())
        return 0;
    const int first = seatStates.front();
    const bool watching = first >= kFirstChannelSeatState && first <= kLastChannelSeatState;
    const bool mixed = std::any_of(seatStates.begin(), seatStates.end(), [first](int s) { return s != first; });
    return watching || mixed ? 1 : 0;
}

bool SeatStateForJoinNotice(const ChannelJoinNotice& notice, int& state)
{
    if (notice.channel < kFirstChannelValue || notice.channel > kLastChannelValue)
        return false;
    state = notice.joined != 0 ? notice.channel + kChannelSeatOffset : kSeatLoggedOn;
    return true;
}

} // namespace kq
