// The [SEAT] section of Teacher.ini as the seat map reads and writes it, the
// seat numbering and the layout of the seat windows.

#include "teacher/IniStore.h"
#include "teacher/SeatArrangement.h"
#include "teacher/tests/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using kq::CSeatArrangement;
using kq::SeatLine;
using kqtest::TempFile;

kq::CSeatArrangement LoadFrom(const std::string& section)
{
    const TempFile file("kq_seat_arrangement.ini", "[SEAT]\r\n" + section);
    CIniStore ini;
    ini.SetPath(file.Path());
    EXPECT_TRUE(ini.ReadFile());
    CSeatArrangement seats;
    seats.Load(ini);
    return seats;
}

TEST(SeatArrangement, ParsesSeatLines)
{
    const struct {
        const char* text;
        bool accepted;
        const char* name = "";
        int column = 0, row = 0, group = 0;
        const char* mac = "";
    } cases[] = {
        {"A1,0,0,1,", true, "A1", 0, 0, 1, ""},
        {"B2,1,1,0,0011aabbccdd", true, "B2", 1, 1, 0, "0011aabbccdd"},
        {"C3,2,2,3,aa,bb,cc", true, "C3", 2, 2, 3, "aa,bb,cc"}, // MAC keeps its commas
        {"D4,3x,4y,5z,", true, "D4", 3, 4, 5, ""},               // leading digits only
        {"A1,0,0", false},                                       // three fields
        {"A1,0,0,1", false},                                     // no fourth comma
        {",0,0,1,", false},                                      // empty name
        {"A1,,0,1,", false},                                     // empty column
        {"A1,0,,1,", false},                                     // empty row
        {"A1,0,0,,", false},                                     // empty group
        {"A1,25,0,0,", false},                                   // column outside the grid
        {"A1,0,20,0,", false},                                   // row outside the grid
        {"A1,99999999999999,0,0,", false},                       // huge column
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SeatLine line;
        ASSERT_EQ(c.accepted, CSeatArrangement::ParseSeatLine(c.text, line));
        if (!c.accepted)
            continue;
        EXPECT_EQ(c.name, line.name);
        EXPECT_EQ(c.column, line.column);
        EXPECT_EQ(c.row, line.row);
        EXPECT_EQ(c.group, line.group);
        EXPECT_EQ(c.mac, line.mac);
    }
}

TEST(SeatArrangement, LoadsTheSectionIntoTheGrid)
{
    const CSeatArrangement seats = LoadFrom("SeatCount=6\r\nColumnCount=3\r\nRowCount=2\r\n"
                                            "1=A1,0,0,1,\r\n"
                                            "2=B1,1,0,0\r\n"       // skipped: three commas
                                            "3=C1,25,0,0,\r\n"     // skipped: column 25
                                            "4=A2,0,1,2,0a0b0c0d0e0f\r\n"
                                            "5=Z9,0,1,0,\r\n"      // same cell: replaces A2
                                            "6=\r\n");
    EXPECT_EQ(6, seats.SeatCount());
    EXPECT_EQ(3, seats.ColumnCount());
    EXPECT_EQ(2, seats.RowCount());
    EXPECT_EQ("A1", seats.Grid()[0][0].name);
    EXPECT_EQ(1, seats.Grid()[0][0].group);
    EXPECT_TRUE(seats.Grid()[0][1].name.empty());
    EXPECT_EQ("Z9", seats.Grid()[1][0].name);
    EXPECT_EQ("", seats.Grid()[1][0].mac);
}

TEST(SeatArrangement, CountsAreCutToTheGrid)
{
    std::string section = "SeatCount=200\r\nColumnCount=30\r\nRowCount=65535\r\n";
    // Lines 1..161: only the first 160 are read.
    for (int i = 1; i <= 161; ++i)
        section += std::to_string(i) + "=S" + std::to_string(i) + "," + std::to_string((i - 1) % 20) + ","
            + std::to_string((i - 1) / 20 % 20) + ",0,\r\n";
    CSeatArrangement seats = LoadFrom(section);
    EXPECT_EQ(160, seats.SeatCount());
    EXPECT_EQ(20, seats.ColumnCount());
    EXPECT_EQ(20, seats.RowCount());
    EXPECT_EQ("S160", seats.Grid()[7][19].name);
    EXPECT_TRUE(seats.Grid()[8][0].name.empty()); // line 161 not read
    EXPECT_EQ(160u, seats.NumberSeats().size());

    seats.SetCounts(-5, 21, 1000);
    EXPECT_EQ(0, seats.SeatCount());
    EXPECT_EQ(20, seats.RowCount());
    EXPECT_EQ(20, seats.ColumnCount());
}

TEST(SeatArrangement, NumbersAndSavesOccupiedCellsRowByRow)
{
    CSeatArrangement seats;
    seats.SetCounts(5, 2, 3);
    auto& grid = seats.Grid();
    grid[0][0].name = "A1";
    grid[0][1].name = "B1";
    grid[0][2] = {"C1", 2, "001122334455"};
    grid[1][1].name = "B2";
    grid[1][2].name = "C2";
    grid[5][5].name = "outside"; // outside the part in use

    const auto places = seats.NumberSeats();
    ASSERT_EQ(5u, places.size());
    EXPECT_EQ(4, places[3].number);
    EXPECT_EQ(1, places[3].row);
    EXPECT_EQ(1, places[3].column);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"SeatCount", "5"}, {"ColumnCount", "3"}, {"RowCount", "2"},
        {"1", "A1,0,0,0,"}, {"2", "B1,1,0,0,"}, {"3", "C1,2,0,2,001122334455"},
        {"4", "B2,1,1,0,"}, {"5", "C2,2,1,0,"},
    };
    EXPECT_EQ(expected, seats.SaveLines(true));
    EXPECT_EQ(5u, seats.SaveLines(false).size());

    // Names find their numbers whatever their case; others give 0.
    EXPECT_EQ(4, seats.SeatNumberOf("b2"));
    EXPECT_EQ(3, seats.SeatNumberOf("C1"));
    EXPECT_EQ(0, seats.SeatNumberOf("outside"));
    EXPECT_EQ(0, seats.SeatNumberOf("D9"));
    EXPECT_EQ(0, seats.SeatNumberOf(""));
}

TEST(SeatArrangement, RecordsTheAdapterOfEveryCellWithTheName)
{
    CSeatArrangement seats;
    seats.SetCounts(2, 1, 3);
    seats.Grid()[0][0].name = "A1";
    seats.Grid()[0][2].name = "a1";
    const uint8_t adapter[6] = {0x00, 0x1A, 0x2b, 0xC3, 0xd4, 0xFF};
    EXPECT_TRUE(seats.RecordAdapter("A1", adapter));
    EXPECT_EQ("001a2bc3d4ff", seats.Grid()[0][0].mac);
    EXPECT_EQ("001a2bc3d4ff", seats.Grid()[0][2].mac);
    EXPECT_FALSE(seats.RecordAdapter("a1", adapter)); // already stored
    EXPECT_FALSE(seats.RecordAdapter("B1", adapter));
}

TEST(SeatArrangement, LaysSeatsOutWithGaps)
{
    const struct {
        int columns, rows, width, height;
        int gapX, gapY, extentWidth, extentHeight;
    } cases[] = {
        {3, 2, 521, 510, 76, 138, 3 * (76 + 72), 2 * (138 + 48)},
        {20, 20, 521, 510, 1, 3, 20 * 73, 20 * 51}, // never closer than 1 and 3
        {0, 0, 521, 510, 521, 510, 0, 0},
    };
    for (const auto& c : cases) {
        CSeatArrangement seats;
        seats.SetCounts(0, c.rows, c.columns);
        const kq::SeatLayout layout = seats.ComputeLayout(c.width, c.height);
        EXPECT_EQ(c.gapX, layout.gapX);
        EXPECT_EQ(c.gapY, layout.gapY);
        EXPECT_EQ(c.extentWidth, layout.extentWidth);
        EXPECT_EQ(c.extentHeight, layout.extentHeight);
    }
    CSeatArrangement seats;
    seats.SetCounts(0, 2, 3);
    const auto layout = seats.ComputeLayout(521, 510);
    EXPECT_EQ(std::make_pair(372, 324), CSeatArrangement::CellOrigin(layout, 1, 2));
}

TEST(SeatArrangement, ShippedTeacherIniHoldsFortySeatsInSixColumns)
{
    // The tests run in the teacher's source folder.
    CIniStore ini;
    ini.SetPath("install/Teacher.ini");
    ASSERT_TRUE(ini.ReadFile());
    CSeatArrangement seats;
    seats.Load(ini);
    const auto places = seats.NumberSeats();
    ASSERT_EQ(40u, places.size());
    EXPECT_EQ(6, seats.ColumnCount());
    EXPECT_EQ("A1", seats.Grid()[0][0].name);
    EXPECT_EQ("F6", seats.Grid()[5][5].name);
    EXPECT_EQ("D7", seats.Grid()[6][3].name);
    EXPECT_TRUE(seats.Grid()[6][4].name.empty());
    for (const auto& place : places) {
        const kq::SeatRecord& seat = seats.Grid()[place.row][place.column];
        EXPECT_EQ(std::string(1, static_cast<char>('A' + place.column)) + std::to_string(place.row + 1), seat.name);
        EXPECT_EQ(0, seat.group);
        EXPECT_TRUE(seat.mac.empty());
    }
}

} // namespace
