#pragma once
// What the channel receiver takes from its command line and student.ini:
// the seat and channel of an automatic start, where the channels are
// announced and where the join notices go.

#include <cstdint>
#include <string>

namespace kq {

// Channels are announced at 8600 + classroom; without a command line on a
// fixed group at 8600.
inline constexpr uint16_t kChannelPortBase = 8600;
inline constexpr char kFixedChannelGroup[] = "226.1.1.1";

// "<seat> <name>": the seat number, a blank, the channel name (one word).
struct CastviewCommandLine {
    int seat = 0;            // 0 when no number leads the line
    std::string channelName; // empty: interactive
};
CastviewCommandLine ParseCastviewCommandLine(const char* line);

// The three keys as read from student.ini, "" when absent.
struct CastviewIniValues {
    std::string mainPort;
    std::string multicastBase;
    std::string classroomId;
};

struct CastviewNetwork {
    uint32_t noticeGroup = 0;  // the classroom group, network byte order
    uint16_t noticePort = 0;   // MainPort + 10
    std::string channelGroup;  // dotted
    uint16_t channelPort = 0;
};
// The agent's rules for the classroom group and main port; an automatic
// start listens on the classroom group, an interactive one on the fixed group.
CastviewNetwork ResolveCastviewNetwork(const CastviewIniValues& values, bool automatic);

} // namespace kq
