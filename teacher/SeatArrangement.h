#pragma once
// CSeatArrangement: the seat grid with the part of it in use, as kept in the
// [SEAT] section of Teacher.ini. Reads the section from a CIniStore, gives the
// lines to write back (the caller writes each key on its own), numbers the
// seats and computes the layout of the seat windows. No Win32.

#include "teacher/SeatRecord.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CIniStore;

namespace kq {

// A seat line as read from the file, before it is placed in the grid.
struct SeatLine {
    std::string name;
    int column = 0;
    int row = 0;
    int group = 0;
    std::string mac;
};

// An occupied cell in seat-number order.
struct SeatPlace {
    int number = 0; // 1, 2, ... in row-major order
    int row = 0;
    int column = 0;
};

struct SeatLayout {
    int gapX = 0;
    int gapY = 0;
    int extentWidth = 0;
    int extentHeight = 0;
};

constexpr int kSeatWidth = 72;
constexpr int kSeatHeight = 48;

class CSeatArrangement {
public:
    static constexpr const char* kSection = "SEAT";

    // Fills the grid from the [SEAT] section; the grid is emptied first.
    void Load(CIniStore& ini);
    // The name = value pairs to write: the header when asked, then one line
    // per occupied cell in use, numbered from 1.
    std::vector<std::pair<std::string, std::string>> SaveLines(bool withHeader) const;

    // Sets the counts (e.g. from the seat editor); counts beyond the grid are
    // cut to it.
    void SetCounts(int seatCount, int rowCount, int columnCount);

    // Stores a MAC text in every cell in use named `name` (case ignored).
    // True when any cell changed.
    bool RecordAdapter(const std::string& name, const uint8_t (&adapter)[6]);

    std::vector<SeatPlace> NumberSeats() const;
    // The number NumberSeats gives the seat named `name` (case ignored);
    // 0 when no seat in use bears it.
    int SeatNumberOf(const std::string& name) const;
    SeatLayout ComputeLayout(int width, int height) const;
    // Top-left corner of the cell relative to the extent's origin.
    static std::pair<int, int> CellOrigin(const SeatLayout& layout, int row, int column);

    static bool ParseSeatLine(const std::string& text, SeatLine& line);
    static std::string FormatSeatLine(const SeatRecord& seat, int column, int row);
    static std::string FormatAdapter(const uint8_t (&adapter)[6]);

    int SeatCount() const { return m_seatCount; }
    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }
    SeatGrid& Grid() { return m_grid; }
    const SeatGrid& Grid() const { return m_grid; }

private:
    int m_seatCount = 0;
    int m_rowCount = 0;
    int m_columnCount = 0;
    SeatGrid m_grid{};
};

} // namespace kq
