#include "teacher/SeatGroups.h"

#include "common/CommandBlock.h"
#include "common/TextField.h"
#include "teacher/IniStore.h"

#include <algorithm>

namespace kq {

namespace {

constexpr char kBlanks[] = " \t\r\n";

std::string TrimBlanks(const std::string& text)
{
    // A CP936 trail byte is never below 0x40: no blank is half a character.
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

template <typename Visit>
void ForEachSeatInUse(const SeatGrid& grid, int rowCount, int columnCount, Visit visit)
{
    for (int r = 0; r < std::min(rowCount, kSeatGridRows); ++r)
        for (int c = 0; c < std::min(columnCount, kSeatGridColumns); ++c)
            if (!grid[r][c].name.empty())
                visit(grid[r][c]);
}

} // namespace

std::vector<SeatRecord*> ListGroupSeats(SeatGrid& grid, int group)
{
    std::vector<SeatRecord*> seats;
    for (SeatRow& row : grid)
        for (SeatRecord& seat : row) {
            if (seat.name.empty())
                continue;
            bool listed = seat.group == group;
            if (group == kNoGroup && seat.group < 1) {
                listed = true;
                seat.group = kNoGroup;
            } else if (group == kLastGroup && seat.group > kLastGroup - 1) {
                listed = true;
                seat.group = kLastGroup;
            }
            if (listed)
                seats.push_back(&seat);
        }
    return seats;
}

bool SetSeatGroup(SeatGrid& grid, const std::string& name, int group)
{
    for (SeatRow& row : grid)
        for (SeatRecord& seat : row)
            if (!seat.name.empty() && CIniStore::EqualNoCase(seat.name, name)) {
                seat.group = group;
                return true;
            }
    return false;
}

void TakeGroups(SeatGrid& target, const SeatGrid& edited)
{
    for (int r = 0; r < kSeatGridRows; ++r)
        for (int c = 0; c < kSeatGridColumns; ++c)
            if (target[r][c].name == edited[r][c].name)
                target[r][c].group = edited[r][c].group;
}

GroupMembers CollectGroupMembers(const SeatGrid& grid, int rowCount, int columnCount, const SeatLookup& seats)
{
    GroupMembers members;
    for (int group = 1; group <= kGroupCount; ++group) {
        GroupRecord& record = members.records[group - 1];
        ForEachSeatInUse(grid, rowCount, columnCount, [&](const SeatRecord& seat) {
            if (seat.group != group || seats.GetSeatStateByName(seat.name.c_str()) < 1)
                return;
            members.names[group - 1].push_back(seat.name);
            if (members.seats.size() < kMaxTargetSeats)
                members.seats.push_back(static_cast<uint8_t>(seats.GetSeatNumberByName(seat.name.c_str())));
            record.group = static_cast<uint8_t>(group);
            ++record.memberCount;
        });
    }
    return members;
}

GroupConfirm ConfirmGroupNames(std::array<GroupRecord, kGroupCount>& records,
                               const std::array<std::string, kGroupCount>& typedNames,
                               const std::array<std::string, kGroupCount>& chosenMembers, const SeatLookup& seats)
{
    GroupConfirm result;
    for (int k = 0; k < kGroupCount; ++k) {
        GroupRecord& record = records[k];
        if (record.memberCount == 0) {
            CopyTextField(record.name, "");
            record.chosenSeat = 0;
            continue;
        }
        result.kind = GroupConfirm::Kind::Send;
        const std::string name = TrimBlanks(typedNames[k]);
        if (name.empty())
            return GroupConfirm{GroupConfirm::Kind::NameMissing, k + 1};
        CopyTextField(record.name, name.c_str());
        record.chosenSeat = static_cast<uint8_t>(seats.GetSeatNumberByName(chosenMembers[k].c_str()));
    }
    return result;
}

std::vector<SeatSelectionChange> GroupSelectionChanges(const SeatGrid& grid, int rowCount, int columnCount, int group,
                                                       bool on)
{
    std::vector<SeatSelectionChange> changes;
    ForEachSeatInUse(grid, rowCount, columnCount, [&](const SeatRecord& seat) {
        if (seat.group == group)
            changes.push_back({seat.name, on});
        else if (seat.group == kNoGroup)
            changes.push_back({seat.name, false});
    });
    return changes;
}

std::vector<std::string> GroupSeatNames(const SeatGrid& grid, int rowCount, int columnCount, int group)
{
    std::vector<std::string> names;
    ForEachSeatInUse(grid, rowCount, columnCount, [&](const SeatRecord& seat) {
        if (seat.group == group)
            names.push_back(seat.name);
    });
    return names;
}

} // namespace kq
