#pragma once
// The main window's list of video channels, filled by the video broadcast
// dialog from the channel server's announcements and read when the channels
// are stopped and the watching seats updated, the channel-viewing flag the
// command buttons read, and the seat state a student's channel report asks
// for. Portable.

#include "common/ChannelAnnounce.h"
#include "common/ChannelJoinNotice.h"
#include "teacher/SeatStates.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace kq {

// A channel made when all twenty seat states were taken has none.
inline constexpr int kNoChannelNumber = 0;

struct VideoChannel {
    uint32_t key = 0;            // the channel id of its announcements
    int number = kNoChannelNumber; // kFirstChannelSeatState..kLastChannelSeatState: the seats watching it
    int8_t state = kChannelStopped; // as last announced; a channel the teacher stopped is stopped
    uint32_t serverAddress = 0;  // the announcing server, network byte order
    std::string name;            // as first announced

    // Playing or paused.
    bool Active() const { return state != kChannelStopped; }
};

// Kept in the order the channels were first announced.
using VideoChannelList = std::list<VideoChannel>;

// An announcement of channel `key`: a known channel takes the new state
// (its number, address and name stay); an unknown one is appended with the
// lowest free number. Returns the channel's number.
int UpdateChannel(VideoChannelList& channels, uint32_t key, int8_t state, uint32_t serverAddress,
                  const std::string& name);
// The lowest of kFirstChannelSeatState..kLastChannelSeatState that no
// channel has, or kNoChannelNumber.
int FreeChannelNumber(const VideoChannelList& channels);
// Forgets channel `key`; false when there is none.
bool RemoveChannel(VideoChannelList& channels, uint32_t key);
int CountActiveChannels(const VideoChannelList& channels);
bool AnyChannelActive(const VideoChannelList& channels);
// The channel the player reports ended: it knows only the 16-bit value
// handed to it, the low half of the key. Null when none matches.
VideoChannel* FindEndedChannel(VideoChannelList& channels, uint16_t value);
// The state that seats in channel seat state `seatState` keep once the
// video dialog closed: that state while its channel is active, else logged on.
int WatcherStateAfterDialog(const VideoChannelList& channels, int seatState);

// 1 when the listed seats' states (first seat first) call for the channel
// view: the first seat watches a channel, or the seats are not all in the
// same state. 0 for no seat.
int ChannelViewingFlag(const std::vector<int>& seatStates);

// The state the seat map shows for `notice`: the channel's state while the
// student watches, logged on once it stopped. False for a channel value no
// server gives out: such a notice changes nothing.
bool SeatStateForJoinNotice(const ChannelJoinNotice& notice, int& state);

} // namespace kq
