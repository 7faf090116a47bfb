// The seat editor's rules: the form of seat names, the automatic fill,
// placing, renaming and clearing seats, and writing the names back.

#include "teacher/SeatEditRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kq::SeatCell;
using kq::SeatEditAction;
using kq::SeatNames;

// The named cells in row-major order, "A1@0,0 B1@0,1 ...".
std::string Listed(const SeatNames& names)
{
    std::string text;
    for (int r = 0; r < kq::kSeatGridRows; ++r)
        for (int c = 0; c < kq::kSeatGridColumns; ++c)
            if (!names[r][c].empty())
                text += names[r][c] + "@" + std::to_string(r) + "," + std::to_string(c) + " ";
    return text;
}

SeatNames Filled(int seats, int columns)
{
    SeatNames names;
    EXPECT_EQ(kq::FillSeatNames(names, std::to_string(seats), std::to_string(columns)).kind,
              kq::SeatFillResult::Kind::Filled);
    return names;
}

TEST(SeatEditRules, FillsRowByRowUpToTheSeatCount)
{
    SeatNames names;
    names[19][19] = "T20"; // an earlier seat outside the fill goes
    ASSERT_EQ(kq::FillSeatNames(names, "40", "6").kind, kq::SeatFillResult::Kind::Filled);
    EXPECT_EQ(kq::CountSeatNames(names), 40);
    EXPECT_EQ(names[0][0], "A1");
    EXPECT_EQ(names[5][5], "F6");
    EXPECT_EQ(names[6][0], "A7");
    EXPECT_EQ(names[6][3], "D7");
    EXPECT_EQ(names[6][4], "");
    EXPECT_EQ(names[0][6], "");
    EXPECT_EQ(names[19][19], "");
    EXPECT_EQ(Filled(160, 20)[7][19], "T8");
}

TEST(SeatEditRules, FillRefusalsLeaveTheGrid)
{
    const struct {
        const char* seats;
        const char* columns;
        kq::SeatFillResult::Kind kind;
    } cases[] = {
        {"", "6", kq::SeatFillResult::Kind::Nothing},
        {"0", "6", kq::SeatFillResult::Kind::Nothing},
        {"x", "6", kq::SeatFillResult::Kind::Nothing},
        {"-4", "6", kq::SeatFillResult::Kind::Nothing},
        {"40", "", kq::SeatFillResult::Kind::Nothing},
        {"40", "0", kq::SeatFillResult::Kind::Nothing},
        {"40", "six", kq::SeatFillResult::Kind::Nothing},
        {"40", "21", kq::SeatFillResult::Kind::Nothing},
        {"161", "20", kq::SeatFillResult::Kind::TooManySeats},
        {"99999999999", "1", kq::SeatFillResult::Kind::Nothing},
        {"45", "2", kq::SeatFillResult::Kind::TooFewColumns},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.seats) + " seats in " + c.columns + " columns");
        SeatNames names = Filled(3, 3);
        const std::string before = Listed(names);
        const kq::SeatFillResult result = kq::FillSeatNames(names, c.seats, c.columns);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(Listed(names), before);
    }
    SeatNames names;
    const kq::SeatFillResult refused = kq::FillSeatNames(names, "45", "2");
    EXPECT_EQ(refused.columns, 2);
    EXPECT_EQ(refused.rows, 23);
    EXPECT_EQ(refused.suggestedColumns, 3);
}

TEST(SeatEditRules, TypedNamesMoveTheFieldsOrAreRefused)
{
    SeatNames names;
    names[4][7] = "B2"; // a seat placed away from where its name says
    using Kind = kq::TypedSeatName::Kind;
    const struct {
        const char* text;
        Kind kind;
        int row;
        int column;
    } cases[] = {
        {"", Kind::Nothing, 0, 0},   {"A", Kind::Nothing, 0, 0},   {"U", Kind::BadLetter, 0, 0},
        {"1", Kind::BadLetter, 0, 0}, {"A25", Kind::BadNumber, 0, 0}, {"A0", Kind::BadNumber, 0, 0},
        {"Ax", Kind::BadNumber, 0, 0}, {"C4", Kind::Show, 3, 2},     {"T20", Kind::Show, 19, 19},
        {"B2", Kind::Show, 4, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const kq::TypedSeatName typed = kq::ReadTypedSeatName(names, c.text);
        EXPECT_EQ(typed.kind, c.kind);
        if (c.kind == Kind::Show) {
            EXPECT_EQ(typed.cell.row, c.row);
            EXPECT_EQ(typed.cell.column, c.column);
        }
    }
}

TEST(SeatEditRules, PlacingASeat)
{
    const SeatNames nine = Filled(9, 3); // A1..C3
    SeatNames typedByHand = nine;
    typedByHand[9][9] = "j10"; // names in Teacher.ini may be in any case
    SeatNames full = Filled(160, 20);
    full[7][19].clear(); // 159 seats: one more fits
    const struct {
        const char* what;
        const SeatNames* start;
        const char* name;
        int row;
        int column;
        int result;
    } cases[] = {
        {"B3 on a seat", &nine, "B3", 3, 2, kq::kSeatEditCellTaken},
        {"a name standing elsewhere", &nine, "B2", 5, 5, kq::kSeatEditNameExists},
        {"in another case", &typedByHand, "J10", 5, 5, kq::kSeatEditNameExists},
        {"lower-case letter", &nine, "e5", 5, 5, kq::kSeatEditBadLetter},
        {"U1", &nine, "U1", 5, 5, kq::kSeatEditBadLetter},
        {"A21", &nine, "A21", 5, 5, kq::kSeatEditBadNumber},
        {"A05", &nine, "A05", 5, 5, kq::kSeatEditBadNumber},
        {"empty name", &nine, "", 5, 5, kq::kSeatEditNoName},
        {"row 0", &nine, "E5", 0, 5, kq::kSeatEditOutside},
        {"column 21", &nine, "E5", 5, 21, kq::kSeatEditOutside},
        {"the 160th seat", &full, "T8", 8, 20, kq::kSeatEditDone},
        {"placed", &nine, "E5", 5, 5, kq::kSeatEditDone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SeatNames names = *c.start;
        SeatCell changed{-1, -1};
        EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Place, c.name, c.row, c.column, nullptr, &changed),
                  c.result);
        SeatNames expected = *c.start;
        if (c.result == kq::kSeatEditDone) {
            expected[c.row - 1][c.column - 1] = c.name;
            EXPECT_EQ(changed.row, c.row - 1);
            EXPECT_EQ(changed.column, c.column - 1);
        }
        EXPECT_EQ(Listed(names), Listed(expected));
    }
    SeatNames names = Filled(160, 20);
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Place, "A9", 9, 1, nullptr), kq::kSeatEditFull)
        << "a 161st seat";
}

TEST(SeatEditRules, RenamingAndClearing)
{
    SeatNames names = Filled(9, 3);
    const SeatCell b2{1, 1};
    // Rename writes the clicked cell, wherever the fields point.
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Rename, "K9", 1, 1, &b2), kq::kSeatEditDone);
    EXPECT_EQ(names[1][1], "K9");
    EXPECT_EQ(names[0][0], "A1");
    // The cell's own name is no clash.
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Rename, "K9", 1, 1, &b2), kq::kSeatEditDone);
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Rename, "A1", 1, 1, &b2), kq::kSeatEditNameExists);
    // An empty name erases nothing.
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Rename, "", 1, 1, &b2), kq::kSeatEditNoName);
    EXPECT_EQ(names[1][1], "K9");
    // Without a clicked cell the fields' cell takes the name.
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Rename, "M1", 4, 4, nullptr), kq::kSeatEditDone);
    EXPECT_EQ(names[3][3], "M1");
    // A full classroom can still rename its seats.
    SeatNames full = Filled(160, 20);
    const SeatCell a1{0, 0};
    EXPECT_EQ(kq::EditSeatName(full, SeatEditAction::Rename, "Z", 1, 1, &a1), kq::kSeatEditBadLetter);
    EXPECT_EQ(kq::EditSeatName(full, SeatEditAction::Rename, "A20", 1, 1, &a1), kq::kSeatEditDone);

    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Clear, "ignored", 1, 2, nullptr), kq::kSeatEditDone);
    EXPECT_EQ(names[0][1], "");
    EXPECT_EQ(kq::EditSeatName(names, SeatEditAction::Clear, "", 21, 2, nullptr), kq::kSeatEditOutside);
}

TEST(SeatEditRules, WritingBackGroupsByColumnOrClearsThem)
{
    SeatNames names;
    for (int c = 0; c < 8; ++c)
        names[2][c] = std::string(1, static_cast<char>('A' + c)) + "3";
    kq::SeatGrid grid{};
    grid[2][0] = {"old", 4, "00aabbccddee"};
    grid[5][5] = {"gone", 3, "001122334455"};
    const kq::SeatNameCounts counts = kq::WriteSeatNames(names, grid, kq::SeatGrouping::ByColumn);
    EXPECT_EQ(counts.seatCount, 8);
    EXPECT_EQ(counts.rowCount, 3);
    EXPECT_EQ(counts.columnCount, 8);
    EXPECT_TRUE(counts.pastSixthColumn);
    const int groups[] = {1, 2, 3, 4, 5, 6, 6, 6};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(grid[2][c].group, groups[c]) << c;
    EXPECT_EQ(grid[2][0].name, "A3");
    EXPECT_EQ(grid[2][0].mac, "00aabbccddee") << "the adapter stays with the place";
    EXPECT_EQ(grid[5][5].name, "");
    EXPECT_EQ(grid[5][5].group, 3) << "an emptied cell keeps its group";

    const kq::SeatNameCounts applied = kq::WriteSeatNames(names, grid, kq::SeatGrouping::None);
    EXPECT_EQ(applied.seatCount, 8);
    for (const auto& row : grid)
        for (const kq::SeatRecord& seat : row)
            EXPECT_EQ(seat.group, 0);

    const kq::SeatNameCounts none = kq::WriteSeatNames(SeatNames{}, grid, kq::SeatGrouping::ByColumn);
    EXPECT_EQ(none.seatCount, 0);
    EXPECT_EQ(none.rowCount, 0);
    EXPECT_EQ(none.columnCount, 0);
    EXPECT_FALSE(none.pastSixthColumn);
}

TEST(SeatEditRules, TheEditorShowsTheSeatsInUse)
{
    kq::SeatGrid grid{};
    grid[0][0].name = "A1";
    grid[0][1].name = "B1";
    grid[1][0].name = "A2";
    grid[0][5].name = "outside";
    const SeatNames names = kq::SeatNamesOfGrid(grid, 2, 2, 2);
    EXPECT_EQ(Listed(names), "A1@0,0 B1@0,1 ");
}

} // namespace
