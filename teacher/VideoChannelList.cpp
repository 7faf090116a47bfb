#include "teacher/VideoChannelList.h"

#include <algorithm>

namespace kq {

namespace {

constexpr int kLoggedOnState = 1;

VideoChannel* FindChannel(VideoChannelList& channels, uint32_t key)
{
    const auto found =
        std::find_if(channels.begin(), channels.end(), [key](const VideoChannel& c) { return c.key == key; });
    return found != channels.end() ? &*found : nullptr;
}

} // namespace

int UpdateChannel(VideoChannelList& channels, uint32_t key, int8_t state, uint32_t serverAddress,
                  const std::string& name)
{
    if (VideoChannel* known = FindChannel(channels, key)) {
        known->state = state;
        return known->number;
    }
    VideoChannel channel;
    channel.key = key;
    channel.number = FreeChannelNumber(channels);
    channel.state = state;
    channel.serverAddress = serverAddress;
    channel.name = name;
    channels.push_back(channel);
    return channel.number;
}

int FreeChannelNumber(const VideoChannelList& channels)
{
    for (int number = kFirstChannelSeatState; number <= kLastChannelSeatState; ++number) {
        const bool used = std::any_of(channels.begin(), channels.end(),
                                      [number](const VideoChannel& c) { return c.number == number; });
        if (!used)
            return number;
    }
    return kNoChannelNumber;
}

bool RemoveChannel(VideoChannelList& channels, uint32_t key)
{
    const auto before = channels.size();
    channels.remove_if([key](const VideoChannel& c) { return c.key == key; });
    return channels.size() != before;
}

int CountActiveChannels(const VideoChannelList& channels)
{
    return static_cast<int>(
        std::count_if(channels.begin(), channels.end(), [](const VideoChannel& c) { return c.Active(); }));
}

bool AnyChannelActive(const VideoChannelList& channels)
{
    return CountActiveChannels(channels) > 0;
}

VideoChannel* FindEndedChannel(VideoChannelList& channels, uint16_t value)
{
    const auto found = std::find_if(channels.begin(), channels.end(),
                                    [value](const VideoChannel& c) { return (c.key & 0xFFFF) == value; });
    return found != channels.end() ? &*found : nullptr;
}

int WatcherStateAfterDialog(const VideoChannelList& channels, int seatState)
{
    const auto owner = std::find_if(channels.begin(), channels.end(),
                                    [seatState](const VideoChannel& c) { return c.number == seatState; });
    return owner != channels.end() && owner->Active() ? seatState : kLoggedOnState;
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
