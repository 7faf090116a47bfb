#pragma once
// The main window's list of video channels, filled by the video broadcast
// dialog from the channel server's announcements, and the channel-viewing
// flag the command buttons read. Portable.

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace kq {

// The seat states that mark a seat watching a channel: one per channel.
inline constexpr int kFirstChannelSeatState = 10;
inline constexpr int kLastChannelSeatState = 29;

struct VideoChannel {
    uint32_t key = 0;           // the channel id of its announcements
    int number = 0;             // kFirstChannelSeatState..kLastChannelSeatState: the seats watching it
    int8_t state = 0;           // as announced: stopped, playing or paused
    uint32_t serverAddress = 0; // the announcing server, network byte order
    std::string name;
    bool active = false;
};

// Kept in the order the dialog lists them.
using VideoChannelList = std::list<VideoChannel>;

bool AnyChannelActive(const VideoChannelList& channels);

// 1 when the listed seats' states (first seat first) call for the channel
// view: the first seat watches a channel, or the seats are not all in the
// same state. 0 for no seat.
int ChannelViewingFlag(const std::vector<int>& seatStates);

} // namespace kq
