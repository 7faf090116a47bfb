// The numeric field's text: the check table, its value and how a value is
// written back.

#include "widgets/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

namespace {

TEST(NumberText, FollowsTheCheckTable)
{
    const struct {
        const char* text;
        float minimum, maximum;
        int result;
    } cases[] = {
        {"5", 1, 160, kq::kNumberValid},
        {"  12.5  ", 1, 160, kq::kNumberValid},
        {"160", 1, 160, kq::kNumberValid},
        {"1", 1, 160, kq::kNumberValid},
        {"-2.5e1", -FLT_MAX, FLT_MAX, kq::kNumberValid},
        {".5", 0, 1, kq::kNumberValid},
        {"5.", 0, 10, kq::kNumberValid},
        {"+7", 0, 10, kq::kNumberValid},
        {"0", 1, 160, kq::kNumberOutOfRange},
        {"161", 1, 160, kq::kNumberOutOfRange},
        {"160.001", 1, 160, kq::kNumberOutOfRange},
        {"1e39", -FLT_MAX, FLT_MAX, kq::kNumberOutOfRange}, // past the float range
        {"+", 1, 160, kq::kNumberLoneSign},
        {"-", 1, 160, kq::kNumberLoneSign},
        {"", 1, 160, kq::kNumberNotANumber},
        {nullptr, 1, 160, kq::kNumberNotANumber},
        {"   ", 1, 160, kq::kNumberNotANumber},
        {" -", 1, 160, kq::kNumberNotANumber}, // a sign with a blank is no entry in progress
        {"12a", 1, 160, kq::kNumberNotANumber},
        {"1 2", 1, 160, kq::kNumberNotANumber},
        {"a12", 1, 160, kq::kNumberNotANumber},
        {".", 1, 160, kq::kNumberNotANumber},
        {"1e", 1, 160, kq::kNumberNotANumber},
        {"1e+", 1, 160, kq::kNumberNotANumber},
        {"--1", 1, 160, kq::kNumberNotANumber},
        {"inf", -FLT_MAX, FLT_MAX, kq::kNumberNotANumber},
        {"nan", -FLT_MAX, FLT_MAX, kq::kNumberNotANumber},
        {"0x10", 0, 100, kq::kNumberNotANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text == nullptr ? "(null)" : c.text);
        EXPECT_EQ(kq::CheckNumberText(c.text, c.minimum, c.maximum), c.result);
    }
}

TEST(NumberText, ALongPastedTextIsCheckedWithoutOverrun)
{
    const std::string digits(100000, '7');
    EXPECT_EQ(kq::CheckNumberText(digits.c_str(), 1, 160), kq::kNumberOutOfRange);
    const std::string numberThenJunk = "5" + std::string(100000, ' ') + "x";
    EXPECT_EQ(kq::CheckNumberText(numberThenJunk.c_str(), 1, 160), kq::kNumberNotANumber);
    const std::string numberThenBlanks = "5" + std::string(100000, ' ');
    EXPECT_EQ(kq::CheckNumberText(numberThenBlanks.c_str(), 1, 160), kq::kNumberValid);
    EXPECT_FLOAT_EQ(kq::NumberTextValue(numberThenBlanks.c_str()), 5.0f);
}

TEST(NumberText, ValueOfAcceptedTextsOnly)
{
    EXPECT_FLOAT_EQ(kq::NumberTextValue(" 12.25 "), 12.25f);
    EXPECT_FLOAT_EQ(kq::NumberTextValue("-3e2"), -300.0f);
    EXPECT_FLOAT_EQ(kq::NumberTextValue("12a"), 0.0f);
    EXPECT_FLOAT_EQ(kq::NumberTextValue(nullptr), 0.0f);
}

TEST(NumberText, DecimalsOfTheShortFormAndFormatting)
{
    const struct {
        float value;
        int decimals;
    } shortForms[] = {
        {1.25f, 2}, {3.0f, 0}, {2.5f, 1}, {0.125f, 3}, {-7.5f, 1}, {2.5e6f, 1}, {1e-5f, 0}, {160.0f, 0},
    };
    for (const auto& c : shortForms)
        EXPECT_EQ(kq::ShortFormDecimals(c.value), c.decimals) << c.value;

    EXPECT_EQ(kq::FormatNumber(3.0f, 1), "3.0");
    EXPECT_EQ(kq::FormatNumber(1.25f, 2), "1.25");
    EXPECT_EQ(kq::FormatNumber(1.0f, 0), "1");
    EXPECT_EQ(kq::FormatNumber(-0.5f, 2), "-0.50");
    EXPECT_EQ(kq::FormatNumber(FLT_MAX, 0).size(), 39u) << "the widest float still fits";
}

} // namespace
