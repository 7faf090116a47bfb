// Line breaking by byte cells: the table of what the student agent's labels
// draw, and the invariants for any width.

#include "widgets/CellLineBreaking.h"

#include "common/TextField.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kq::BreakIntoCells;

constexpr int kCell = 6;

int WidthOf(const std::string& text) { return static_cast<int>(text.size()) * kCell; }

// No line feed in `text` falls between a lead byte and its trail byte.
bool KeepsPairs(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (kq::IsCp936LeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                return false;
            ++i;
        }
    }
    return true;
}

std::string WithoutFeeds(std::string text)
{
    std::erase(text, '\n');
    return text;
}

TEST(CellLineBreaking, TableOfTexts)
{
    const struct {
        const char* name;
        std::string text;
        int clientWidth;
        std::string expected;
    } cases[] = {
        {"narrower than the label: unchanged", "hello", 60, "hello"},
        // 60 / 6 = 10 cells, even, so 8 bytes a line.
        {"cut every 8 bytes", "abcdefghijklmnopqrst", 60, "abcdefgh\nijklmnop\nqrst"},
        {"a line feed within the cells breaks there", "ab\ncdefghijklmn", 60, "ab\ncdefghij\nklmn"},
        // 30 / 6 = 5 cells, odd, so 4 bytes a line.
        {"double-byte text, even cuts", "中文中文中文", 30, "中文\n中文\n中文"},
        // "IP " then double-byte characters: a cut after 8 bytes would split
        // the fourth character, so the line takes 7.
        {"mixed text moves the cut back", "IP 地址是多少", 60, "IP 地址\n是多少"},
        {"two cells wide: unchanged", "abcdefghijklmnop", 12, "abcdefghijklmnop"},
        {"no width: unchanged", "abcdefghijklmnop", 0, "abcdefghijklmnop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BreakIntoCells(c.text, kCell, WidthOf(c.text), c.clientWidth), c.expected);
    }
}

TEST(CellLineBreaking, AnyWidthKeepsPairsAndTheText)
{
    const std::string text = "IP 地址 198.18.0.1 已被\n占用，请 检查网络设置abc中";
    for (int width = -10; width <= 200; ++width) {
        SCOPED_TRACE(width);
        const std::string broken = BreakIntoCells(text, kCell, WidthOf(text), width);
        EXPECT_TRUE(KeepsPairs(broken));
        EXPECT_EQ(WithoutFeeds(broken), WithoutFeeds(text));
    }
}

TEST(CellLineBreaking, MeasuredWidthLargerThanTheBytesStillEnds)
{
    // A text measured far wider than its cells add up to: breaking ends
    // when the text runs out.
    const std::string broken = BreakIntoCells("abcdefghij", kCell, 100000, 30);
    EXPECT_EQ(broken, "abcd\nefgh\nij");
}

TEST(CellLineBreaking, CellWidthFromTheFirstCharacter)
{
    EXPECT_EQ(kq::FirstCharacterBytes(""), 0u);
    EXPECT_EQ(kq::FirstCharacterBytes("a中"), 1u);
    EXPECT_EQ(kq::FirstCharacterBytes("中a"), 2u);
    EXPECT_EQ(kq::FirstCharacterBytes("\xB5"), 1u) << "a lone lead byte";
    EXPECT_EQ(kq::CellWidth(12, 2), 6);
    EXPECT_EQ(kq::CellWidth(6, 1), 6);
    EXPECT_EQ(kq::CellWidth(0, 1), 1) << "never below 1";
    EXPECT_EQ(kq::CellWidth(1, 2), 1);
    EXPECT_EQ(kq::CellWidth(5, 0), 1);
}

} // namespace
