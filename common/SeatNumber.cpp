#include "common/SeatNumber.h"

namespace kq {

namespace {

constexpr char kFirstRow = 'A';
constexpr char kLastRow = 'T';
constexpr int kFirstSeat = 1;
constexpr int kLastSeat = 20;
// A row letter and one or two digits.
constexpr size_t kShortest = 2;
constexpr size_t kLongest = 3;
constexpr int kDecimalBase = 10;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

SeatCheck CheckSeatNumber(std::string_view text)
{
    if (text.empty())
        return SeatCheck::Empty;
    if (text.size() < kShortest || text.size() > kLongest)
        return SeatCheck::Invalid;
    if (text[0] < kFirstRow || text[0] > kLastRow)
        return SeatCheck::Invalid;
    if (text[1] == '0')
        return SeatCheck::Invalid; // no leading zero
    int seat = 0;
    for (const char c : text.substr(1)) {
        if (!IsDigit(c))
            return SeatCheck::Invalid;
        seat = seat * kDecimalBase + (c - '0');
    }
    return seat >= kFirstSeat && seat <= kLastSeat ? SeatCheck::Accepted : SeatCheck::Invalid;
}

} // namespace kq
