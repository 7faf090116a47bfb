// The order of the kit's sorted lists.

#include "widgets/LetterNumberOrder.h"

#include <gtest/gtest.h>

namespace {

TEST(LetterNumberOrder, LetterFirstThenTheNumber)
{
    const struct {
        const char* a;
        const char* b;
        int result;
    } cases[] = {
        {"A3", "A12", -1},
        {"A12", "A3", 1},
        {"A12", "B1", -1},
        {"B1", "A3", 1},
        {"A2", "A10", -1},
        {"A7", "A07", 0},
        {"A", "A0", 0},
        {"Ax", "A0", 0}, // no number reads as 0
        {"", "B1", 0},
        {"A1", "", 0},
        {nullptr, "A1", 0},
        {"A1", nullptr, 0},
        {"A99999999999999999999", "A2147483647", 0}, // held at the int range, no overflow
        {"A-99999999999999999999", "A1", -1},
        {"\xB0\xA1", "A1", -1}, // a CP936 lead byte is a negative signed char
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.a ? c.a : "(null)") << " vs " << (c.b ? c.b : "(null)"));
        EXPECT_EQ(kq::CompareLetterNumber(c.a, c.b), c.result);
    }
}

} // namespace
