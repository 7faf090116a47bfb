#include "teacher/SeatEditRules.h"

#include "teacher/IniStore.h"

#include <algorithm>

namespace kq {

namespace {

constexpr char kFirstColumnLetter = 'A';
constexpr char kLastColumnLetter = 'A' + kSeatGridColumns - 1; // T
constexpr int kDecimalBase = 10;
// Longer digit strings are no count the editor takes.
constexpr size_t kMaxFieldDigits = 6;

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool InGrid(int oneBased, int limit) { return oneBased >= 1 && oneBased <= limit; }

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

std::string NameOf(int row, int column)
{
    return std::string(1, static_cast<char>(kFirstColumnLetter + column)) + std::to_string(row + 1);
}

} // namespace

int ReadFieldNumber(const std::string& text)
{
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > kMaxFieldDigits)
        return -1;
    int value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return -1;
        value = value * kDecimalBase + (ch - '0');
    }
    return value;
}

int ParseSeatName(const std::string& name, SeatCell* cell)
{
    if (name.empty() || name[0] < kFirstColumnLetter || name[0] > kLastColumnLetter)
        return kSeatEditBadLetter;
    const std::string rest = name.substr(1);
    // The row number as the automatic fill writes it: no sign, no blank,
    // no leading zero.
    const int row = rest.empty() || rest[0] == '0' || rest != Trimmed(rest) ? -1 : ReadFieldNumber(rest);
    if (!InGrid(row, kSeatGridRows))
        return kSeatEditBadNumber;
    if (cell != nullptr)
        *cell = SeatCell{row - 1, name[0] - kFirstColumnLetter};
    return kSeatEditDone;
}

bool FindSeatName(const SeatNames& names, const std::string& name, SeatCell* found, const SeatCell* except)
{
    for (int r = 0; r < kSeatGridRows; ++r)
        for (int c = 0; c < kSeatGridColumns; ++c) {
            if (except != nullptr && except->row == r && except->column == c)
                continue;
            if (!names[r][c].empty() && CIniStore::EqualNoCase(names[r][c], name)) {
                if (found != nullptr)
                    *found = SeatCell{r, c};
                return true;
            }
        }
    return false;
}

int CountSeatNames(const SeatNames& names)
{
    int count = 0;
    for (const auto& row : names)
        count += static_cast<int>(std::count_if(row.begin(), row.end(), [](const std::string& n) { return !n.empty(); }));
    return count;
}

TypedSeatName ReadTypedSeatName(const SeatNames& names, const std::string& text)
{
    TypedSeatName typed;
    if (text.empty())
        return typed;
    SeatCell cell;
    switch (ParseSeatName(text, &cell)) {
    case kSeatEditBadLetter:
        typed.kind = TypedSeatName::Kind::BadLetter;
        return typed;
    case kSeatEditBadNumber:
        // The letter alone is a name still being typed.
        typed.kind = text.size() == 1 ? TypedSeatName::Kind::Nothing : TypedSeatName::Kind::BadNumber;
        return typed;
    default:
        break;
    }
    typed.kind = TypedSeatName::Kind::Show;
    SeatCell standing;
    typed.cell = FindSeatName(names, text, &standing) ? standing : cell;
    return typed;
}

SeatFillResult FillSeatNames(SeatNames& names, const std::string& seatText, const std::string& columnText)
{
    SeatFillResult result;
    const int seats = ReadFieldNumber(seatText);
    if (seats < 1)
        return result;
    if (seats > kMaxSeats) {
        result.kind = SeatFillResult::Kind::TooManySeats;
        return result;
    }
    const int columns = ReadFieldNumber(columnText);
    if (columns < 1 || columns > kSeatGridColumns)
        return result;
    const int rows = CeilDiv(seats, columns);
    if (rows > kSeatGridRows) {
        result.kind = SeatFillResult::Kind::TooFewColumns;
        result.columns = columns;
        result.rows = rows;
        result.suggestedColumns = CeilDiv(seats, kSeatGridRows);
        return result;
    }
    int named = 0;
    for (int r = 0; r < kSeatGridRows; ++r)
        for (int c = 0; c < kSeatGridColumns; ++c) {
            const bool seat = r < rows && c < columns && named < seats;
            names[r][c] = seat ? NameOf(r, c) : std::string();
            named += seat ? 1 : 0;
        }
    result.kind = SeatFillResult::Kind::Filled;
    return result;
}

int EditSeatName(SeatNames& names, SeatEditAction action, const std::string& name, int row, int column,
                 const SeatCell* current, SeatCell* changed)
{
    if (!InGrid(row, kSeatGridRows) || !InGrid(column, kSeatGridColumns))
        return kSeatEditOutside;
    const SeatCell target{row - 1, column - 1};
    if (action == SeatEditAction::Clear) {
        names[target.row][target.column].clear();
        if (changed != nullptr)
            *changed = target;
        return kSeatEditDone;
    }
    if (name.empty())
        return kSeatEditNoName;
    const int form = ParseSeatName(name, nullptr);
    if (form != kSeatEditDone)
        return form;
    const SeatCell written = action == SeatEditAction::Rename && current != nullptr ? *current : target;
    // Only a name written into an empty cell adds a seat.
    if (names[written.row][written.column].empty() && CountSeatNames(names) >= kMaxSeats)
        return kSeatEditFull;
    if (action == SeatEditAction::Place && !names[target.row][target.column].empty())
        return kSeatEditCellTaken;
    if (FindSeatName(names, name, nullptr, &written))
        return kSeatEditNameExists;
    names[written.row][written.column] = name;
    if (changed != nullptr)
        *changed = written;
    return kSeatEditDone;
}

SeatNameCounts WriteSeatNames(const SeatNames& names, SeatGrid& grid, SeatGrouping grouping)
{
    constexpr int kLastGroup = 6;
    SeatNameCounts counts;
    for (int r = 0; r < kSeatGridRows; ++r)
        for (int c = 0; c < kSeatGridColumns; ++c) {
            SeatRecord& seat = grid[r][c];
            seat.name = names[r][c];
            if (grouping == SeatGrouping::None)
                seat.group = 0;
            if (seat.name.empty())
                continue;
            const int column = c + 1;
            counts.rowCount = std::max(counts.rowCount, r + 1);
            counts.columnCount = std::max(counts.columnCount, column);
            ++counts.seatCount;
            if (grouping == SeatGrouping::ByColumn)
                seat.group = std::min(column, kLastGroup);
            counts.pastSixthColumn = counts.pastSixthColumn || column > kLastGroup;
        }
    return counts;
}

SeatNames SeatNamesOfGrid(const SeatGrid& grid, int seatCount, int rowCount, int columnCount)
{
    SeatNames names;
    int shown = 0;
    for (int r = 0; r < std::min(rowCount, kSeatGridRows); ++r)
        for (int c = 0; c < std::min(columnCount, kSeatGridColumns); ++c)
            if (shown < seatCount && !grid[r][c].name.empty()) {
                names[r][c] = grid[r][c].name;
                ++shown;
            }
    return names;
}

} // namespace kq
