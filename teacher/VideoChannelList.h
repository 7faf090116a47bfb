#pragma once
// The main window's list of video channels, filled by the video broadcast
// dialog from the channel server's announcements, the channel-viewing flag
// the command buttons read, and the seat state a student's channel report
// asks for. Portable.

#include "common/ChannelJoinNotice.h"
#include "teacher/SeatStates.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace kq {

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

// The state the seat map shows for `notice`: the channel's state while the
// student watches, logged on once it stopped. False for a channel value no
// server gives out: such a notice changes nothing.
bool SeatStateForJoinNotice(const ChannelJoinNotice& notice, int& state);

} // namespace kq
