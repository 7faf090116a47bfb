#pragma once
// The classroom's six groups over the seat grid: which seats the group
// assignment lists under a group, moving a seat to a group, the members and
// records of the group teaching command, and which seats a group selection
// touches. No Win32.

#include "common/GroupRecord.h"
#include "teacher/SeatLookup.h"
#include "teacher/SeatRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kq {

inline constexpr int kNoGroup = 0;
inline constexpr int kLastGroup = kGroupCount;

// The seats of the grid (row by row, unnamed cells skipped) that the group
// assignment lists under `group`: 0 takes every seat below group 1 and
// writes 0 into it, 6 every seat above group 5 and writes 6 into it, 1..5
// the seats of exactly that group.
std::vector<SeatRecord*> ListGroupSeats(SeatGrid& grid, int group);

// Gives the first seat named `name` (case ignored, row by row) the group;
// false when no seat has the name.
bool SetSeatGroup(SeatGrid& grid, const std::string& name, int group);

// Copies each cell's group from `edited` where the cell still holds the same
// seat name: the groups of an assignment go back without undoing anything
// else that changed meanwhile (adapters recorded at log-on).
void TakeGroups(SeatGrid& target, const SeatGrid& edited);

// The on-line members of the groups inside rowCount x columnCount, as the
// group teaching dialog lists them.
struct GroupMembers {
    std::array<std::vector<std::string>, kGroupCount> names; // per group, in grid order
    std::vector<uint8_t> seats; // seat numbers, group 1's first, at most 160
    std::array<GroupRecord, kGroupCount> records{}; // group number and member count set
};
GroupMembers CollectGroupMembers(const SeatGrid& grid, int rowCount, int columnCount, const SeatLookup& seats);

// The confirm of the group teaching dialog: names every group with members
// (the typed name, blanks trimmed, cut to the record on a character
// boundary) and picks its chosen member's seat; groups without members are
// emptied.
struct GroupConfirm {
    enum class Kind {
        Send,        // at least one group has members
        NothingToSend,
        NameMissing, // `group` (1..6) has members but no name
    } kind = Kind::NothingToSend;
    int group = 0;
};
GroupConfirm ConfirmGroupNames(std::array<GroupRecord, kGroupCount>& records,
                               const std::array<std::string, kGroupCount>& typedNames,
                               const std::array<std::string, kGroupCount>& chosenMembers, const SeatLookup& seats);

// A seat and the selection a group selection gives it.
struct SeatSelectionChange {
    std::string name;
    bool selected = false;
};
// Group 1..6: its seats get `on`, seats without a group are unselected,
// other groups are left alone (cells inside rowCount x columnCount).
std::vector<SeatSelectionChange> GroupSelectionChanges(const SeatGrid& grid, int rowCount, int columnCount, int group,
                                                       bool on);
// The names of group `group`'s seats inside rowCount x columnCount.
std::vector<std::string> GroupSeatNames(const SeatGrid& grid, int rowCount, int columnCount, int group);

} // namespace kq
