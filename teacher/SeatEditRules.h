#pragma once
// The rules of the seat editor over a plain grid of seat names: the form of
// a seat name (a column letter A..T and a row number 1..20, as A1 ... T20),
// the automatic fill, placing, renaming and clearing single seats, and
// writing the names back into the seat map's grid. No Win32: the editor's
// windows read their cells into SeatNames, apply a rule and show the result.

#include "teacher/SeatRecord.h"

#include <array>
#include <string>

namespace kq {

// The editor's cells, row index first, as the seat grid.
using SeatNames = std::array<std::array<std::string, kSeatGridColumns>, kSeatGridRows>;

// A cell of the grid, 0-based.
struct SeatCell {
    int row = 0;
    int column = 0;
};

// The value of a count or place typed into a numeric field: its decimal
// digits (blanks around them allowed); -1 when it is empty or not a number.
int ReadFieldNumber(const std::string& text);

// ---- Seat names ----

// Results of the place, rename and clear buttons.
inline constexpr int kSeatEditDone = 0;
inline constexpr int kSeatEditCellTaken = -1;   // placing on a cell that has a seat
inline constexpr int kSeatEditNameExists = -2;  // another cell bears the name
inline constexpr int kSeatEditBadLetter = -3;   // the name does not start with A..T
inline constexpr int kSeatEditBadNumber = -4;   // the row number is not 1..20
inline constexpr int kSeatEditOutside = -5;     // row or column not 1..20
inline constexpr int kSeatEditNoName = -6;      // place or rename without a name: nothing
inline constexpr int kSeatEditFull = -10;       // a further seat would pass 160

// The cell a seat name stands for ("C4": row 3, column 2); the check result
// (kSeatEditDone, kSeatEditBadLetter or kSeatEditBadNumber) as the result.
// An empty name is a bad letter.
int ParseSeatName(const std::string& name, SeatCell* cell);

// What typing a name into the editor's name field asks for.
struct TypedSeatName {
    enum class Kind {
        Nothing,   // empty, or only the letter so far
        BadLetter, // the first character is not A..T
        BadNumber, // the rest is not 1..20
        Show,      // move the row and column fields to `cell`
    } kind = Kind::Nothing;
    SeatCell cell; // where the name stands already, else where its form says
};
TypedSeatName ReadTypedSeatName(const SeatNames& names, const std::string& text);

// The cell bearing `name` (case ignored) other than `except`; false when
// there is none.
bool FindSeatName(const SeatNames& names, const std::string& name, SeatCell* found,
                  const SeatCell* except = nullptr);
int CountSeatNames(const SeatNames& names);

// ---- Automatic fill ----

struct SeatFillResult {
    enum class Kind {
        Nothing,       // a count empty, not a number, below 1, or over 20 columns
        TooManySeats,  // more than 160 seats
        TooFewColumns, // the seats would need more than 20 rows
        Filled,
    } kind = Kind::Nothing;
    int columns = 0;          // TooFewColumns: the column count given,
    int rows = 0;             // the rows it would need
    int suggestedColumns = 0; // and the columns that would do
};

// Fills the names row by row, `columns` to a row (A1, B1, ... then A2 ...)
// until `seatText` seats are named; every other cell is emptied. Only a
// Filled result changes `names`.
SeatFillResult FillSeatNames(SeatNames& names, const std::string& seatText, const std::string& columnText);

// ---- Single seats ----

enum class SeatEditAction { Place, Rename, Clear };

// Applies one button of the editor. `row` and `column` are the 1-based
// fields (an empty field counts as 1, so the caller passes 1 for it);
// `current` is the cell last clicked, or null. A place or rename without a
// name changes nothing (clearing is the clear button's). `changed`, when
// given, receives the cell written on success.
int EditSeatName(SeatNames& names, SeatEditAction action, const std::string& name, int row, int column,
                 const SeatCell* current, SeatCell* changed = nullptr);

// ---- Writing back ----

struct SeatNameCounts {
    int seatCount = 0;
    int rowCount = 0;    // the last row with a seat, 1-based
    int columnCount = 0; // the last column with a seat, 1-based
    bool pastSixthColumn = false;
};

// The groups a written-back grid gets: by column (OK), or none (apply).
enum class SeatGrouping { ByColumn, None };

// Writes every cell's name into `grid`; each named cell's group becomes its
// column number, columns past the sixth in group 6 (ByColumn), or every
// cell's group 0 (None). Emptied cells keep their group and MAC text;
// MAC texts stay with their places.
SeatNameCounts WriteSeatNames(const SeatNames& names, SeatGrid& grid, SeatGrouping grouping);

// The names of the seat map's grid that the editor shows at its opening: the
// named cells inside rowCount x columnCount, no more than seatCount of them
// in row-major order.
SeatNames SeatNamesOfGrid(const SeatGrid& grid, int seatCount, int rowCount, int columnCount);

} // namespace kq
