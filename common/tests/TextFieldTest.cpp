#include "common/TextField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct CopyCase {
    const char* name;
    const char* text;
    size_t fieldSize;
    std::string expected;
};

// "晨" is B3 BF and "星" is D0 C7 in CP936; 95 5C is a character whose trail
// byte is the backslash.
const CopyCase kCopyCases[] = {
    {"fits", "abc", 8, "abc"},
    {"fills the field exactly", "abcdefg", 8, "abcdefg"},
    {"cut to the field", "abcdefghij", 8, "abcdefg"},
    {"double-byte text fits", "ab\xB3\xBF\xD0\xC7", 7, "ab\xB3\xBF\xD0\xC7"},
    {"cut between characters", "ab\xB3\xBF\xD0\xC7", 6, "ab\xB3\xBF"},
    {"never half a character", "ab\xB3\xBF\xD0\xC7", 4, "ab"},
    {"lead byte without trail ends the text", "ab\xB3", 8, "ab"},
    {"backslash trail byte stays with its lead", "\x95\x5C" "x", 4, "\x95\x5C" "x"},
    {"field of one byte holds only the terminator", "abc", 1, ""},
    {"null text gives an empty field", nullptr, 8, ""},
};

TEST(TextField, CopiesOnCharacterBoundariesAndAlwaysTerminates)
{
    for (const CopyCase& c : kCopyCases) {
        SCOPED_TRACE(c.name);
        char field[16];
        std::memset(field, 'x', sizeof field);

        const size_t copied = kq::CopyTextField(field, c.fieldSize, c.text);

        EXPECT_EQ(copied, c.expected.size());
        EXPECT_EQ(std::string(field), c.expected);
        // The rest of the field is zeroed and nothing past it is touched.
        for (size_t i = c.expected.size(); i < c.fieldSize; ++i)
            EXPECT_EQ(field[i], '\0') << "byte " << i;
        for (size_t i = c.fieldSize; i < sizeof field; ++i)
            EXPECT_EQ(field[i], 'x') << "byte " << i;
    }
}

TEST(TextField, ZeroSizedFieldIsLeftAlone)
{
    char field[2] = {'x', 'x'};
    EXPECT_EQ(kq::CopyTextField(field, 0, "abc"), 0u);
    EXPECT_EQ(field[0], 'x');
}

TEST(TextField, ArrayFormUsesTheFieldSize)
{
    char field[5];
    EXPECT_EQ(kq::CopyTextField(field, "abcdefgh"), 4u);
    EXPECT_STREQ(field, "abcd");
}

TEST(TextField, LengthOfUnterminatedFieldIsItsSize)
{
    const char full[4] = {'a', 'b', 'c', 'd'};
    const char shortText[4] = {'a', '\0', 'c', 'd'};
    EXPECT_EQ(kq::TextFieldLength(full, sizeof full), 4u);
    EXPECT_EQ(kq::TextFieldLength(shortText, sizeof shortText), 1u);
}

TEST(TextField, NamesMatchIgnoringCaseOfSingleByteLettersOnly)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Movie", "mOVIE", true},
        {"Movie", "Movies", false},
        // 0xC1 0x61 and 0xC1 0x41 are two different double-byte characters.
        {"\xC1\x61", "\xC1\x41", false},
        {"\xC1\x61" "a", "\xC1\x61" "A", true},
        {"晨星", "晨星", true},
        {"", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(kq::SameNameIgnoringCase(c.a, c.b), c.same);
    }
}

TEST(TextField, SourceTextsAreCompiledAsCp936)
{
    EXPECT_STREQ("晨星", "\xB3\xBF\xD0\xC7");
}

} // namespace
