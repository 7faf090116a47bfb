#pragma once
// One cell of the classroom's seat grid and the grid itself: always 20 rows
// of 20 cells, row index first. The seat map owns it; Wake-on-LAN, the group
// dialog and the seat editor read or copy it.

#include <array>
#include <string>

namespace kq {

constexpr int kSeatGridRows = 20;
constexpr int kSeatGridColumns = 20;
// The most seats a classroom has (one byte per seat in a command).
constexpr int kMaxSeats = 160;

struct SeatRecord {
    std::string name; // seat name the student PC logs on with; empty = no seat
    int group = 0;    // 0 = none, 1..6
    std::string mac;  // 12 lower-case hex digits, empty until the first log-on
};

using SeatRow = std::array<SeatRecord, kSeatGridColumns>;
using SeatGrid = std::array<SeatRow, kSeatGridRows>;

} // namespace kq
