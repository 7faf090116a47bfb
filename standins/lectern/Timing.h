#pragma once
// The transport's timing and its ports. Tests shorten the timing; the
// programs use the defaults.

#include <cstdint>

namespace kq::lectern {

struct Timing {
    uint32_t beaconMs = 1000;        // the teacher announces itself
    uint32_t heartbeatMs = 1000;     // a logged-on student announces itself
    uint32_t studentSilentMs = 5000; // a student not heard for this long is off line
    uint32_t teacherLostMs = 5000;   // a teacher not heard for this long is gone
    uint32_t logonRetryMs = 1000;    // an unanswered log-on is sent again
    uint32_t forgetMs = 60000;       // silent roster entries are dropped
    uint32_t copies = 5;             // important datagrams go out this many times
    uint32_t copyGapMs = 20;         // with this pause between copies
};

// Ports beside the classroom's main port that no other part of the system
// uses (it takes + 10, + 11, + 20, + 40, 5998, 5999, 6001 + n and 8600/8601 + n).
inline constexpr uint16_t kCommandPortOffset = 300; // teacher -> students, classroom group
inline constexpr uint16_t kRequestPortOffset = 301; // students -> teacher, unicast
inline constexpr uint16_t kUpdatePortOffset = 302;  // the teacher serves program updates here

inline uint16_t PortBeside(uint16_t mainPort, uint16_t offset)
{
    return static_cast<uint16_t>(mainPort + offset);
}

} // namespace kq::lectern
