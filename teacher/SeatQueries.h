#pragma once
// The rules the seat map answers its queries by, over a plain view of its
// seats in list order: which seats a command is for, which are on line, how
// a student's log-on is decided, and how far one wheel turn scrolls. No Win32.

#include <cstdint>
#include <string>
#include <vector>

namespace kq {

struct SeatView {
    int number = 0;
    int state = 0; // 0 = off line
    bool selected = false;
    uint32_t address = 0; // sender address of the PC on line at this seat
};

// Count reported when the map has no seat at all.
constexpr uint16_t kNoSeats = 0xFFFF;

// Fills `list` (at least kMaxSeats bytes) with the selected seats. Count 0
// means the whole class: nothing selected, or every seat selected (the list
// is still filled) unless `explicitList`. Result 1 when any seat is on line.
int GetSelectedSeats(const std::vector<SeatView>& seats, uint16_t* count, uint8_t* list, int explicitList);
// Every seat whose state is above 0; result = count != 0.
int GetOnlineSeats(const std::vector<SeatView>& seats, uint16_t* count, uint8_t* list);
// Every seat in exactly `state`; result = count != 0.
int GetSeatsInState(const std::vector<SeatView>& seats, int state, uint16_t* count, uint8_t* list);

// The seat name of a log-on record: at most `size` bytes, ending at the first
// NUL when there is one (another PC filled the field; it may lack one).
std::string BoundedName(const char* field, size_t size);

enum class LogonOutcome {
    UnknownName,   // -10
    NameTaken,     // -2: on line from another PC
    NewlyOnline,   // state 1, address stored, adapter recorded
    AlreadyOnline, // same PC again: state set to 1
};

constexpr int kLogonUnknownName = -10;
constexpr int kLogonNameTaken = -2;

// `seat` is the seat found by name, or null.
LogonOutcome DecideLogon(const SeatView* seat, uint32_t senderAddress);

// Pixels one wheel message scrolls (negative: up or left). `lines` is the
// system's wheel setting (-1 = page mode); `vertical` when the vertical bar
// is shown.
int WheelDistance(int delta, int lines, bool vertical);

} // namespace kq
