// Which seats the map reports for a command, how a log-on is decided and how
// far the wheel scrolls.

#include "teacher/SeatQueries.h"
#include "teacher/SeatRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kq::SeatView;

std::vector<uint8_t> Listed(const uint8_t* list, uint16_t count)
{
    return std::vector<uint8_t>(list, list + (count == kq::kNoSeats ? 0 : count));
}

TEST(SeatQueries, SelectedSeats)
{
    uint8_t list[kq::kMaxSeats] = {};
    uint16_t count = 1;

    // Two of three selected, one on line.
    std::vector<SeatView> seats = {{1, 0, true}, {2, 3, false}, {3, 1, true}};
    EXPECT_EQ(1, kq::GetSelectedSeats(seats, &count, list, 0));
    EXPECT_EQ((std::vector<uint8_t>{1, 3}), Listed(list, count));

    // Nothing selected: the whole class, result from who is on line.
    for (auto& s : seats)
        s.selected = false;
    EXPECT_EQ(1, kq::GetSelectedSeats(seats, &count, list, 0));
    EXPECT_EQ(0, count);

    // Every seat selected: count 0 (whole class) but the list is filled;
    // an explicit list keeps the count.
    for (auto& s : seats)
        s.selected = true;
    std::memset(list, 0, sizeof list);
    EXPECT_EQ(1, kq::GetSelectedSeats(seats, &count, list, 0));
    EXPECT_EQ(0, count);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), Listed(list, 3));
    EXPECT_EQ(1, kq::GetSelectedSeats(seats, &count, list, 1));
    EXPECT_EQ(3, count);

    // Nobody on line: result 0.
    for (auto& s : seats)
        s.state = 0;
    EXPECT_EQ(0, kq::GetSelectedSeats(seats, &count, list, 0));
}

TEST(SeatQueries, MapWithoutSeats)
{
    uint8_t list[kq::kMaxSeats] = {};
    uint16_t count = 0;
    const std::vector<SeatView> none;
    EXPECT_EQ(0, kq::GetSelectedSeats(none, &count, list, 0));
    EXPECT_EQ(kq::kNoSeats, count);
    count = 0;
    EXPECT_EQ(0, kq::GetOnlineSeats(none, &count, list));
    EXPECT_EQ(kq::kNoSeats, count);
    count = 0;
    EXPECT_EQ(0, kq::GetSeatsInState(none, 0, &count, list));
    EXPECT_EQ(kq::kNoSeats, count);
}

TEST(SeatQueries, OnlineAndInState)
{
    uint8_t list[kq::kMaxSeats] = {};
    uint16_t count = 0;
    const std::vector<SeatView> seats = {{1, 0}, {2, 5}, {3, 1}, {4, 5}, {5, -1}};
    EXPECT_EQ(1, kq::GetOnlineSeats(seats, &count, list));
    EXPECT_EQ((std::vector<uint8_t>{2, 3, 4}), Listed(list, count));
    EXPECT_EQ(1, kq::GetSeatsInState(seats, 5, &count, list));
    EXPECT_EQ((std::vector<uint8_t>{2, 4}), Listed(list, count));
    EXPECT_EQ(0, kq::GetSeatsInState(seats, 7, &count, list));
    EXPECT_EQ(0, count);

    // 160 seats all on line fill the list exactly.
    std::vector<SeatView> full;
    for (int n = 1; n <= kq::kMaxSeats; ++n)
        full.push_back({n, 1, true});
    EXPECT_EQ(1, kq::GetOnlineSeats(full, &count, list));
    EXPECT_EQ(kq::kMaxSeats, count);
    EXPECT_EQ(160, list[159]);
    EXPECT_EQ(1, kq::GetSelectedSeats(full, &count, list, 1));
    EXPECT_EQ(kq::kMaxSeats, count);
}

TEST(SeatQueries, LogonDecision)
{
    using kq::LogonOutcome;
    const SeatView offline{1, 0, false, 0};
    const SeatView online{1, 3, false, 0x0A0B0C0D};
    EXPECT_EQ(LogonOutcome::UnknownName, kq::DecideLogon(nullptr, 1));
    EXPECT_EQ(LogonOutcome::NewlyOnline, kq::DecideLogon(&offline, 0x0A0B0C0D));
    EXPECT_EQ(LogonOutcome::NameTaken, kq::DecideLogon(&online, 0x01020304));
    EXPECT_EQ(LogonOutcome::AlreadyOnline, kq::DecideLogon(&online, 0x0A0B0C0D));
}

TEST(SeatQueries, NameFieldIsReadWithinItsBytes)
{
    char field[48];
    std::memset(field, 'Z', sizeof field); // bytes beyond the field
    std::memcpy(field, "A1\0junk", 7);
    EXPECT_EQ("A1", kq::BoundedName(field, 40));
    std::memset(field, 'B', 40); // no NUL in the 40 bytes
    EXPECT_EQ(std::string(40, 'B'), kq::BoundedName(field, 40));
}

TEST(SeatQueries, WheelDistance)
{
    const struct {
        int delta, lines;
        bool vertical;
        int pixels;
    } cases[] = {
        {-120, 3, true, 64},   // 3 lines of 48, one page at most
        {120, 3, true, -64},
        {-120, 1, true, 48},
        {120, 1, true, -64},   // MulDiv gives -1: a page up
        {120, -1, true, -64},  // page mode
        {-120, -1, true, 64},
        {-120, 1, false, 72},
        {-120, 3, false, 144},
        {120, -1, false, -144},
        {-30, 1, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.delta << " " << c.lines << " " << c.vertical);
        EXPECT_EQ(c.pixels, kq::WheelDistance(c.delta, c.lines, c.vertical));
    }
}

} // namespace
