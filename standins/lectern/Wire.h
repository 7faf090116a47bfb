#pragma once
// The transport's own datagrams between the teacher side and the student
// sides, and their codec.
//
// Every datagram starts with a 16-byte header: the magic "KqLt", the format
// version, the kind, the payload length, the sender's session number (drawn
// at each open, so a restart is seen) and a sequence number (receivers drop
// repeats of one datagram). The teacher multicasts its kinds to the classroom
// group; students send theirs to the teacher's address. Everything is
// little-endian. Decode checks every length, count, seat number and text
// terminator against the bytes received before anything is used.

#include <cstddef>
#include <cstdint>

#include "common/CommandBlock.h"

namespace kq::lectern {

enum class Kind : uint8_t {
    // teacher -> students
    Beacon = 1,     // the teacher is there (sent every second)
    Command = 2,    // one CommandBlock with its targets
    LogonReply = 3, // the answer to one log-on
    Relogon = 4,    // one student must log on again
    TeacherBye = 5, // the teacher closed
    Screen = 6,     // the screen engine's settings, before each screen command
    // student -> teacher
    Logon = 16,
    Heartbeat = 17,
    Request = 18,
    StudentBye = 19,
};

bool IsTeacherKind(Kind kind);

inline constexpr size_t kSeatNameSize = 40;
inline constexpr size_t kAdapterAddressSize = 6;
inline constexpr size_t kRequestTextSize = 252;

struct BeaconBody {
    uint16_t versionId = 0;
};

struct CommandBody {
    uint16_t code = 0;
    uint8_t param = 0;
    uint8_t extra = 0;
    uint8_t args[kCommandArgsSize] = {};
    uint16_t targetCount = 0; // 0 = the whole class
    uint8_t targets[kMaxTargetSeats] = {};
};

struct LogonBody {
    uint32_t attempt = 0; // rises with every new log-on of one session
    char seatName[kSeatNameSize] = {};
    uint8_t adapterAddress[kAdapterAddressSize] = {};
    uint16_t versionId = 0;
    uint8_t perHost = 0;
};

struct LogonReplyBody {
    uint32_t studentSession = 0;
    uint32_t attempt = 0;
    int32_t result = 0; // the seat number, or a refusal below 1
    uint8_t handUpAllowed = 0;
    uint8_t homeworkActive = 0;
    uint16_t homeworkPort = 0;
    uint16_t updatePort = 0; // 0: no update to fetch
};

struct RelogonBody {
    uint32_t studentSession = 0;
};

struct HeartbeatBody {
    uint32_t attempt = 0;
    int32_t seat = 0;
};

struct RequestBody {
    uint16_t type = 0;
    char text[kRequestTextSize] = {}; // always terminated after Decode
};

// What every PC's screen engine uses, as the teacher's settings say; sent
// as it is laid out here.
#pragma pack(push, 1)
struct ScreenBody {
    uint32_t group = 0;   // network byte order
    uint16_t port = 0;
    uint8_t pause = 0;    // burst pause, ms
    uint8_t burst = 0;    // fragments per burst
    uint8_t lossless = 0;
    uint8_t quality = 0;
    uint8_t windowed = 0;
    uint8_t record = 0;
    uint8_t sound = 0;
    uint8_t resetOptions[5] = {}; // the five bytes for the engine's option reset
    uint8_t resetNow = 0;         // 1: apply resetOptions at once
};
#pragma pack(pop)
static_assert(sizeof(ScreenBody) == 19);

// One datagram; only the body of its kind is meaningful.
struct Datagram {
    Kind kind = Kind::Beacon;
    uint32_t session = 0;
    uint32_t sequence = 0;
    BeaconBody beacon;
    CommandBody command;
    LogonBody logon;
    LogonReplyBody logonReply;
    RelogonBody relogon;
    HeartbeatBody heartbeat;
    RequestBody request;
    ScreenBody screen;
};

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kCommandFixedSize = 266;
inline constexpr size_t kMaxDatagramSize = kHeaderSize + kCommandFixedSize + kMaxTargetSeats;

enum class DecodeStatus {
    Ok,
    Truncated,       // shorter than its header or its fixed part
    Foreign,         // not our magic
    BadVersion,
    BadKind,
    BadLength,       // the payload length disagrees with the bytes received
    BadSession,      // session 0
    BadTargets,      // too many targets or a seat outside 1..160
    BadText,         // a text without its terminator, or an empty seat name
};

const char* DescribeStatus(DecodeStatus status);

DecodeStatus Decode(const uint8_t* data, size_t size, Datagram* out);

// Writes the datagram into buffer (kMaxDatagramSize bytes are always enough)
// and returns its size, or 0 when the datagram itself is invalid (a target
// count above 160, a seat outside 1..160, session 0, a log-on with an empty
// seat name).
size_t Encode(const Datagram& datagram, uint8_t* buffer, size_t capacity);

} // namespace kq::lectern
