#pragma once
// The student agent's network start without Win32: the values read from
// student.ini in, the StudentInitRecord that opens the transport out.

#include "common/StudentInitRecord.h"

#include <cstdint>
#include <string>

namespace kq {

// Message ids of the refusals.
inline constexpr unsigned kMessageVersionIdMissing = 61463;
inline constexpr unsigned kMessageClassroomMissing = 61461;

// The values as read, with the readers' "absent" defaults ("kq", 2002).
struct StudentNetworkValues {
    uint32_t frameWindow = 0;
    int32_t edition = 0;
    bool perHost = false;
    int64_t mainPort = 2002;
    std::string multicastBase = "kq";
    std::string seatNumber = "kq";
    int64_t versionId = 2002;
    int64_t classroomId = 2002;
    std::string lockBackground = "kq";
};

struct StudentInitResult {
    unsigned refusal = 0; // 0, or the message id of the refusal
    StudentInitRecord record{};
};

StudentInitResult BuildStudentInitRecord(const StudentNetworkValues& values);

// Where a student PC meets its teacher: the classroom group and the main
// port, by the agent's rules. A base that is absent ("kq" in any case) is
// 227.1.1.7; a main port whose low 16 bits are 0 is 6000. Every
// program that sends to the teacher's classroom socket uses these, so its
// datagrams reach the group and port the agent logs on with.
struct ClassroomEndpoint {
    uint32_t group = 0;    // network byte order, as inet_addr gives it
    uint16_t mainPort = 0; // host byte order
};
ClassroomEndpoint ResolveClassroomEndpoint(int64_t mainPort, const std::string& multicastBase, int64_t classroomId);

// The seat as start-up and the network start see it.
enum class SeatState {
    Absent,     // "kq" in any case, or empty
    Unassigned, // exactly "NULL" or "null"
    Assigned,
};
SeatState ClassifySeat(const std::string& seat);

} // namespace kq
