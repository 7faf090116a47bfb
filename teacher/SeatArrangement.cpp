#include "teacher/SeatArrangement.h"

#include "common/TextField.h"

#include "teacher/IniStore.h"

#include <algorithm>
#include <cstdio>

namespace kq {

namespace {

constexpr int kMinGapX = 1;
constexpr int kMinGapY = 3;
constexpr int kDecimalBase = 10;
// Keeps the leading-digit conversion far from int overflow.
constexpr int kMaxFieldValue = 1000000;

// Decimal value of the leading digits of a field ("" or no digit: 0).
int LeadingNumber(const std::string& text)
{
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            break;
        value = std::min(value * kDecimalBase + (ch - '0'), kMaxFieldValue);
    }
    return value;
}

// Cuts the next comma-terminated field off `rest`; false when no comma is left.
bool TakeField(std::string& rest, std::string& field)
{
    size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    field = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return true;
}

int ClampCount(int value, int limit) { return std::clamp(value, 0, limit); }

} // namespace

bool CSeatArrangement::ParseSeatLine(const std::string& text, SeatLine& line)
{
    std::string rest = text;
    std::string name, column, row, group;
    if (!TakeField(rest, name) || !TakeField(rest, column) || !TakeField(rest, row) || !TakeField(rest, group))
        return false;
    if (name.empty() || column.empty() || row.empty() || group.empty())
        return false;
    line.name = name;
    line.column = LeadingNumber(column);
    line.row = LeadingNumber(row);
    line.group = LeadingNumber(group);
    line.mac = rest;
    // A cell outside the grid cannot be stored: the line is skipped.
    return line.column < kSeatGridColumns && line.row < kSeatGridRows;
}

std::string CSeatArrangement::FormatSeatLine(const SeatRecord& seat, int column, int row)
{
    return seat.name + "," + std::to_string(column) + "," + std::to_string(row) + "," + std::to_string(seat.group)
        + "," + seat.mac;
}

std::string CSeatArrangement::FormatAdapter(const uint8_t (&adapter)[6])
{
    char text[13];
    std::snprintf(text, sizeof text, "%02x%02x%02x%02x%02x%02x", adapter[0], adapter[1], adapter[2], adapter[3],
        adapter[4], adapter[5]);
    return text;
}

void CSeatArrangement::Load(CIniStore& ini)
{
    m_grid = SeatGrid{};
    SetCounts(ini.GetValueInt(kSection, "SeatCount"), ini.GetValueInt(kSection, "RowCount"),
        ini.GetValueInt(kSection, "ColumnCount"));
    for (int i = 1; i <= m_seatCount; ++i) {
        std::string value = ini.GetValue(kSection, std::to_string(i));
        SeatLine line;
        if (value.empty() || !ParseSeatLine(value, line))
            continue;
        m_grid[line.row][line.column] = SeatRecord{line.name, line.group, line.mac};
    }
}

void CSeatArrangement::SetCounts(int seatCount, int rowCount, int columnCount)
{
    m_seatCount = ClampCount(seatCount, kMaxSeats);
    m_rowCount = ClampCount(rowCount, kSeatGridRows);
    m_columnCount = ClampCount(columnCount, kSeatGridColumns);
}

std::vector<std::pair<std::string, std::string>> CSeatArrangement::SaveLines(bool withHeader) const
{
    std::vector<std::pair<std::string, std::string>> lines;
    if (withHeader) {
        lines.emplace_back("SeatCount", std::to_string(m_seatCount));
        lines.emplace_back("ColumnCount", std::to_string(m_columnCount));
        lines.emplace_back("RowCount", std::to_string(m_rowCount));
    }
    int n = 0;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_columnCount; ++c)
            if (!m_grid[r][c].name.empty())
                lines.emplace_back(std::to_string(++n), FormatSeatLine(m_grid[r][c], c, r));
    return lines;
}

bool CSeatArrangement::RecordAdapter(const std::string& name, const uint8_t (&adapter)[6])
{
    const std::string mac = FormatAdapter(adapter);
    bool changed = false;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_columnCount; ++c) {
            SeatRecord& seat = m_grid[r][c];
            if (!seat.name.empty() && CIniStore::EqualNoCase(seat.name, name) && seat.mac != mac) {
                seat.mac = mac;
                changed = true;
            }
        }
    return changed;
}

std::vector<SeatPlace> CSeatArrangement::NumberSeats() const
{
    std::vector<SeatPlace> places;
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < m_columnCount; ++c)
            if (!m_grid[r][c].name.empty())
                places.push_back(SeatPlace{static_cast<int>(places.size()) + 1, r, c});
    return places;
}

int CSeatArrangement::SeatNumberOf(const std::string& name) const
{
    if (name.empty())
        return 0;
    for (const SeatPlace& place : NumberSeats())
        if (EqualIgnoringCase(m_grid[place.row][place.column].name, name))
            return place.number;
    return 0;
}

SeatLayout CSeatArrangement::ComputeLayout(int width, int height) const
{
    SeatLayout layout;
    layout.gapX = std::max(kMinGapX, (width - m_columnCount * kSeatWidth) / (m_columnCount + 1));
    layout.gapY = std::max(kMinGapY, (height - m_rowCount * kSeatHeight) / (m_rowCount + 1));
    layout.extentWidth = m_columnCount * (layout.gapX + kSeatWidth);
    layout.extentHeight = m_rowCount * (layout.gapY + kSeatHeight);
    return layout;
}

std::pair<int, int> CSeatArrangement::CellOrigin(const SeatLayout& layout, int row, int column)
{
    return {layout.gapX + column * (kSeatWidth + layout.gapX), layout.gapY + row * (kSeatHeight + layout.gapY)};
}

} // namespace kq
