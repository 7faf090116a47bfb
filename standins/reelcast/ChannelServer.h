#pragma once
// The video channel server's channels and its answers to the datagrams it
// receives: channels are added and removed by VideoChannelCommand, started
// and stopped by VodCommandDatagram, and announced on every change and on
// every ChannelQuery. Channels take the numbers 1 to 20, the lowest free
// one first, as the teacher's video broadcast dialog numbers its rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kq::reelcast {

inline constexpr uint32_t kFirstChannel = 1;
inline constexpr uint32_t kLastChannel = 20;
// The port a channel is played on: this base plus its number.
inline constexpr uint16_t kPlayPortBase = 9700;
inline constexpr uint8_t kPlayFlag = 0;

struct Channel {
    uint32_t value = 0;
    std::string name;
    std::string file;
    int8_t state = 0;
};

using Datagram = std::vector<uint8_t>;

class ChannelServer {
public:
    // A datagram on the command port; returns the datagrams to announce.
    std::vector<Datagram> OnCommandPort(const uint8_t* data, size_t length);
    // A datagram on an announcement port (queries and player commands).
    std::vector<Datagram> OnAnnouncePort(const uint8_t* data, size_t length);
    // The withdrawals of every channel, when the server ends.
    std::vector<Datagram> WithdrawAll();

    const std::vector<Channel>& Channels() const { return channels_; }

private:
    std::vector<Datagram> Add(const std::string& name, const std::string& file);
    std::vector<Datagram> Remove(const std::string& name);
    std::vector<Datagram> Command(int32_t command, int32_t value);
    Channel* FindByName(const std::string& name);
    uint32_t FreeValue() const;

    std::vector<Channel> channels_; // in order of their numbers
};

Datagram Announcement(const Channel& channel);
Datagram Withdrawal(const Channel& channel);

} // namespace kq::reelcast
