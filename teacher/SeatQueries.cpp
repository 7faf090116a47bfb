#include "teacher/SeatQueries.h"

#include "teacher/SeatRecord.h"
#include "teacher/SeatStates.h"

#include <algorithm>
#include <cstring>

namespace kq {

namespace {

constexpr int kWheelDelta = 120;
constexpr int kPageMode = -1;
constexpr int kLineStepY = 48;
constexpr int kPageStepY = 64;
constexpr int kLineStepX = 72;
constexpr int kPageStepX = 144;

template <typename Pred>
int ListSeats(const std::vector<SeatView>& seats, uint16_t* count, uint8_t* list, Pred wanted)
{
    *count = 0;
    if (seats.empty()) {
        *count = kNoSeats;
        return 0;
    }
    for (const SeatView& seat : seats) {
        if (*count >= kMaxSeats)
            break;
        if (wanted(seat))
            list[(*count)++] = static_cast<uint8_t>(seat.number);
    }
    return *count != 0;
}

} // namespace

int GetSelectedSeats(const std::vector<SeatView>& seats, uint16_t* count, uint8_t* list, int explicitList)
{
    *count = 0;
    if (seats.empty()) {
        *count = kNoSeats;
        return 0;
    }
    bool allSelected = true;
    int result = 0;
    for (const SeatView& seat : seats) {
        if (seat.selected) {
            list[(*count)++] = static_cast<uint8_t>(seat.number);
            if (*count >= kMaxSeats)
                break;
        } else {
            allSelected = false;
        }
        if (seat.state != kSeatOffline)
            result = 1;
    }
    if (allSelected && explicitList == 0)
        *count = 0;
    return result;
}

int GetOnlineSeats(const std::vector<SeatView>& seats, uint16_t* count, uint8_t* list)
{
    return ListSeats(seats, count, list, [](const SeatView& s) { return s.state > kSeatOffline; });
}

int GetSeatsInState(const std::vector<SeatView>& seats, int state, uint16_t* count, uint8_t* list)
{
    return ListSeats(seats, count, list, [state](const SeatView& s) { return s.state == state; });
}

std::string BoundedName(const char* field, size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

LogonOutcome DecideLogon(const SeatView* seat, uint32_t senderAddress)
{
    if (!seat)
        return LogonOutcome::UnknownName;
    if (seat->state > kSeatOffline && seat->address != senderAddress)
        return LogonOutcome::NameTaken;
    if (seat->state <= kSeatOffline)
        return LogonOutcome::NewlyOnline;
    return LogonOutcome::AlreadyOnline;
}

int WheelDistance(int delta, int lines, bool vertical)
{
    const int lineStep = vertical ? kLineStepY : kLineStepX;
    const int pageStep = vertical ? kPageStepY : kPageStepX;
    if (lines == kPageMode)
        return delta > 0 ? -pageStep : pageStep;
    // MulDiv rounds to nearest; the wheel settings are small, so plain
    // arithmetic on 64 bits with the same rounding is exact.
    const long long product = -static_cast<long long>(delta) * lines;
    const long long half = kWheelDelta / 2;
    const int distance = static_cast<int>(product >= 0 ? (product + half) / kWheelDelta
                                                        : -((-product + half) / kWheelDelta));
    if (distance == -1)
        return delta > 0 ? -pageStep : pageStep;
    // One wheel message never moves more than a page, either way.
    return std::clamp(distance * lineStep, -pageStep, pageStep);
}

} // namespace kq
