#pragma once
// The teacher's one routine for the video channels: a control datagram to
// the channel server, and, for a file rather than a control word, the
// hand-off of the channel to the local player through "DoChannel".

#include <cstdint>
#include <string>

struct VodCommandArgs {
    const char* name;    // the channel's name
    uint16_t channel;    // the channel's value
    uint32_t address;    // destination, network byte order
    uint16_t port;       // host order: 8600 + the classroom number
    const char* command; // a control word beginning with "/", or the file to hand to the player
};

inline constexpr int kVodSendFailed = -1;

// Sends the command five times; for a file, hands the channel to the player
// unless it runs already or another hand-off is under way, and waits until
// the player took it (at most two minutes). 0, or kVodSendFailed when the
// socket, the shared block or the player cannot be had.
int SendVodCommand(const VodCommandArgs* args);

namespace kq {
// The same with the player taken from `playerFolder` (with its trailing
// backslash) instead of the program folder.
int SendVodCommandFrom(const VodCommandArgs& args, const std::string& playerFolder);
} // namespace kq
