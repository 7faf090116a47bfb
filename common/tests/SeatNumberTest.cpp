// The seat rule: exactly A1..A20 through T1..T20.

#include "common/SeatNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kq::CheckSeatNumber;
using kq::SeatCheck;

TEST(SeatNumber, TableOfTexts)
{
    const struct {
        const char* text;
        SeatCheck expected;
    } cases[] = {
        {"A1", SeatCheck::Accepted},  {"A9", SeatCheck::Accepted},  {"A10", SeatCheck::Accepted},
        {"B20", SeatCheck::Accepted}, {"T20", SeatCheck::Accepted}, {"", SeatCheck::Empty},
        {"A0", SeatCheck::Invalid},   {"A01", SeatCheck::Invalid},  {"A21", SeatCheck::Invalid},
        {"U1", SeatCheck::Invalid},   {"1A", SeatCheck::Invalid},   {"A", SeatCheck::Invalid},
        {"A1B", SeatCheck::Invalid},  {"A-1", SeatCheck::Invalid},  {"a1", SeatCheck::Invalid},
        {"A100", SeatCheck::Invalid}, {"A1 ", SeatCheck::Invalid},  {"@1", SeatCheck::Invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSeatNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(SeatNumber, AcceptsExactlyFourHundredSeats)
{
    int accepted = 0;
    for (int row = 0; row < 256; ++row) {
        for (int seat = 0; seat < 100; ++seat) {
            const std::string text = std::string(1, static_cast<char>(row)) + std::to_string(seat);
            if (CheckSeatNumber(text) == SeatCheck::Accepted) {
                ++accepted;
                EXPECT_TRUE(row >= 'A' && row <= 'T' && seat >= 1 && seat <= 20) << text;
            }
        }
    }
    EXPECT_EQ(accepted, 400);
}

} // namespace
