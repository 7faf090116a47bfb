// The classroom's groups over the seat grid: the assignment lists and
// moves, the group teaching members and records, and group selection.

#include "teacher/SeatGroups.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

using kq::SeatGrid;

// Seat states and numbers by name, as the seat map would answer.
class FakeSeats : public kq::SeatLookup {
public:
    struct Seat {
        int state;
        int number;
    };
    std::map<std::string, Seat> seats;
    int GetSeatStateByName(const char* name) const override
    {
        auto it = seats.find(name);
        return it == seats.end() ? -1 : it->second.state;
    }
    int GetSeatNumberByName(const char* name) const override
    {
        auto it = seats.find(name);
        return it == seats.end() ? 0 : it->second.number;
    }
};

std::string Names(const std::vector<kq::SeatRecord*>& seats)
{
    std::string text;
    for (const kq::SeatRecord* seat : seats)
        text += seat->name + " ";
    return text;
}

// Two rows of four: A1 B1 C1 D1 / A2 B2 C2 D2 with the groups given.
SeatGrid TwoRows(const int (&groups)[8])
{
    SeatGrid grid{};
    for (int i = 0; i < 8; ++i)
        grid[i / 4][i % 4] = {std::string(1, static_cast<char>('A' + i % 4)) + std::to_string(i / 4 + 1),
                              groups[i], ""};
    return grid;
}

TEST(SeatGroups, AssignmentListsCorrectTheGroupsTheyShow)
{
    SeatGrid grid = TwoRows({0, -1, 9, 6, 1, 1, 5, 0});
    grid[3][3] = {"", 9, ""}; // an unnamed cell is no seat
    EXPECT_EQ(Names(kq::ListGroupSeats(grid, 1)), "A2 B2 ");
    EXPECT_EQ(Names(kq::ListGroupSeats(grid, 5)), "C2 ");
    EXPECT_EQ(grid[0][2].group, 9) << "only the lists of groups 0 and 6 correct";
    EXPECT_EQ(Names(kq::ListGroupSeats(grid, 0)), "A1 B1 D2 ");
    EXPECT_EQ(grid[0][1].group, 0);
    EXPECT_EQ(Names(kq::ListGroupSeats(grid, 6)), "C1 D1 ");
    EXPECT_EQ(grid[0][2].group, 6);
    EXPECT_EQ(grid[3][3].group, 9);
}

TEST(SeatGroups, MovesChangeTheFirstSeatOfTheName)
{
    SeatGrid grid = TwoRows({0, 0, 0, 0, 0, 0, 0, 0});
    grid[1][3].name = "a1"; // the same name twice
    EXPECT_TRUE(kq::SetSeatGroup(grid, "A1", 4));
    EXPECT_EQ(grid[0][0].group, 4);
    EXPECT_EQ(grid[1][3].group, 0);
    EXPECT_FALSE(kq::SetSeatGroup(grid, "Z9", 4));
}

TEST(SeatGroups, TakingGroupsBackKeepsEverythingElse)
{
    SeatGrid live = TwoRows({0, 0, 0, 0, 0, 0, 0, 0});
    SeatGrid edited = live;
    edited[0][0].group = 3;
    edited[0][1].group = 2;
    live[0][0].mac = "001122334455"; // recorded while the dialog was open
    live[0][1].name = "";            // and a seat gone meanwhile
    kq::TakeGroups(live, edited);
    EXPECT_EQ(live[0][0].group, 3);
    EXPECT_EQ(live[0][0].mac, "001122334455");
    EXPECT_EQ(live[0][1].group, 0);
}

TEST(SeatGroups, GroupTeachingListsOnLineMembersInGroupThenGridOrder)
{
    // Groups: A1 2, B1 1, C1 1 (off line), D1 2 / A2 1, B2 0, C2 3, D2 3; D1 and D2 lie outside
    // the three columns in use.
    const SeatGrid grid = TwoRows({2, 1, 1, 2, 1, 0, 3, 3});
    FakeSeats seats;
    seats.seats = {{"A1", {1, 1}}, {"B1", {1, 2}}, {"C1", {0, 3}}, {"D1", {8, 4}},
                   {"A2", {2, 5}}, {"B2", {1, 6}}, {"C2", {1, 7}}, {"D2", {1, 8}}};
    const kq::GroupMembers members = kq::CollectGroupMembers(grid, 2, 3, seats);
    EXPECT_EQ(members.names[0], (std::vector<std::string>{"B1", "A2"}));
    EXPECT_EQ(members.names[1], (std::vector<std::string>{"A1"}));
    EXPECT_EQ(members.names[2], (std::vector<std::string>{"C2"}));
    EXPECT_TRUE(members.names[3].empty());
    EXPECT_EQ(members.seats, (std::vector<uint8_t>{2, 5, 1, 7}));
    const int expected[][2] = {{1, 2}, {2, 1}, {3, 1}, {0, 0}, {0, 0}, {0, 0}};
    for (int k = 0; k < kq::kGroupCount; ++k) {
        EXPECT_EQ(members.records[k].group, expected[k][0]) << k;
        EXPECT_EQ(members.records[k].memberCount, expected[k][1]) << k;
    }
}

TEST(SeatGroups, ConfirmNamesGroupsWithMembersOnly)
{
    FakeSeats seats;
    seats.seats = {{"B1", {1, 2}}, {"A2", {1, 5}}};
    std::array<kq::GroupRecord, kq::kGroupCount> records{};
    records[0] = {1, 0, 2, {}};
    records[2] = {0, 9, 0, {}};
    std::strcpy(records[2].name, "stale");
    // 30 double-byte characters: 60 bytes, of which the field keeps 30.
    std::string wide;
    for (int i = 0; i < 30; ++i)
        wide += "组";
    const kq::GroupConfirm sent =
        kq::ConfirmGroupNames(records, {"  " + wide + " ", "", "ignored"}, {"A2", "", ""}, seats);
    EXPECT_EQ(sent.kind, kq::GroupConfirm::Kind::Send);
    EXPECT_EQ(std::string(records[0].name), wide.substr(0, 30));
    EXPECT_EQ(records[0].name[30], '\0');
    EXPECT_EQ(records[0].chosenSeat, 5);
    EXPECT_EQ(std::string(records[2].name), "");
    EXPECT_EQ(records[2].chosenSeat, 0);

    records[1] = {2, 0, 1, {}};
    const kq::GroupConfirm missing = kq::ConfirmGroupNames(records, {"一组", " \t "}, {"B1", "A2"}, seats);
    EXPECT_EQ(missing.kind, kq::GroupConfirm::Kind::NameMissing);
    EXPECT_EQ(missing.group, 2);

    std::array<kq::GroupRecord, kq::kGroupCount> empty{};
    EXPECT_EQ(kq::ConfirmGroupNames(empty, {}, {}, seats).kind, kq::GroupConfirm::Kind::NothingToSend);
}

TEST(SeatGroups, GroupSelectionTouchesTheGroupAndTheUngrouped)
{
    const SeatGrid grid = TwoRows({1, 0, 2, 1, 0, 1, 2, 1});
    std::string text;
    for (const kq::SeatSelectionChange& change : kq::GroupSelectionChanges(grid, 2, 3, 1, true))
        text += change.name + (change.selected ? "+ " : "- ");
    EXPECT_EQ(text, "A1+ B1- A2- B2+ ");
    EXPECT_EQ(kq::GroupSeatNames(grid, 2, 4, 2), (std::vector<std::string>{"C1", "C2"}));
    EXPECT_EQ(kq::GroupSeatNames(grid, 1, 4, 1), (std::vector<std::string>{"A1", "D1"}));
}

} // namespace
