#include "teacher/SeatTextEvent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

TEST(SeatTextEvent, ReadsTheSeatAndAtMostTheTextField)
{
    // The record at the very end of its allocation: reading past the text
    // field would leave it (the sanitizer sees that).
    auto record = std::make_unique<kq::SeatTextRecord>();
    record->seat = 2;
    std::memset(record->text, 'Q', sizeof record->text);
    kq::SeatText text;
    ASSERT_TRUE(kq::ReadSeatText(record.get(), &text));
    EXPECT_EQ(2, text.seat);
    EXPECT_EQ(std::string(kq::kSeatTextSize, 'Q'), text.text);

    std::strcpy(record->text, "到");
    ASSERT_TRUE(kq::ReadSeatText(record.get(), &text));
    EXPECT_EQ("到", text.text);
}

TEST(SeatTextEvent, RefusesSeatsOutsideTheMapRange)
{
    kq::SeatTextRecord record = {};
    kq::SeatText text;
    for (uint32_t seat : {0u, 161u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(seat);
        record.seat = seat;
        EXPECT_FALSE(kq::ReadSeatText(&record, &text));
    }
    record.seat = 160;
    EXPECT_TRUE(kq::ReadSeatText(&record, &text));
    EXPECT_FALSE(kq::ReadSeatText(nullptr, &text));
}

} // namespace
