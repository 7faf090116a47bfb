// The delay as typed: blanks around digits, 0 to 255, nothing else.

#include "teacher/dialogs/DelaySeconds.h"

#include <gtest/gtest.h>

namespace {

TEST(DelaySeconds, AcceptsZeroTo255AndRefusesEverythingElse)
{
    constexpr int kUntouched = -7;
    const struct {
        const char* text;
        bool accepted;
        int seconds;
    } cases[] = {
        {"20", true, 20},
        {"0", true, 0},
        {"255", true, 255},
        {"  9 ", true, 9},
        {"", true, 0},
        {"   ", true, 0},
        {nullptr, true, 0},
        {"0000255", true, 255},
        {"256", false, kUntouched}, // would wrap to 0 in the one-byte parameter
        {"257", false, kUntouched},
        {"99999999999", false, kUntouched},
        {"999999999999999999999999999999", false, kUntouched},
        {"-1", false, kUntouched},
        {"+5", false, kUntouched},
        {"12a", false, kUntouched},
        {"1 2", false, kUntouched},
        {"abc", false, kUntouched},
        {"１２", false, kUntouched}, // full-width digits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text == nullptr ? "(null)" : c.text);
        int seconds = kUntouched;
        EXPECT_EQ(kq::ParseDelaySeconds(c.text, seconds), c.accepted);
        EXPECT_EQ(seconds, c.seconds);
    }
}

} // namespace
