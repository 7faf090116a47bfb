#pragma once
// How the receive dialog turns student.ini values into the receiver's
// groups and port, and the library's counters into a bar position.

#include <cstdint>
#include <string>

namespace kq {

// The ini text of a group address, or `fallback` when it is empty or the
// "absent" marker "kq" in any case (defaults: common/StudentIniKeys.h).
std::string GroupAddressText(const std::string& value, const char* fallback);

// The receive port: classroom number + base port, taken as 16 bits. A
// classroom id of 2002 (absent) counts as 0; a base port whose low 16 bits
// are 1 (absent) counts as 6001.
uint16_t ReceivePort(long classroomId, long groupPort);

// received / total in percent, truncated; 0 while the total is 0.
int ProgressPosition(uint32_t received, uint32_t total);

} // namespace kq
