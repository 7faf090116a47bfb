#include "standins/kqtransmit/TransferPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace kq::transmit;

// "表" in CP936 is 0xB1 0xED; 0x81 0x5C is a GBK character whose second byte is '\'.
const std::string kTable = "\xB1\xED";
const std::string kTrailBackslash = "\x81\x5C";

struct PathCase {
    std::string path;
    bool safe;
};

TEST(TransferPath, AcceptsOnlyRelativePathsThatStayUnderTheFolder)
{
    const PathCase cases[] = {
        {"a.txt", true},
        {"dir\\sub\\a.txt", true},
        {kTable + "\\" + kTable + ".txt", true},
        {kTrailBackslash + ".txt", true},         // the '\' is part of the character
        {"..", false},
        {"..\\evil.txt", false},
        {"dir\\..\\..\\evil.txt", false},
        {".\\a", false},
        {"...\\a", false},
        {"a.", false},
        {"a \\b", false},
        {"a.b\\.c", true},
        {"\\rooted.txt", false},
        {"C:\\abs.txt", false},
        {"a\\\\b", false},                        // empty name
        {"dir\\", false},
        {"a/b", false},
        {"a:b", false},
        {"a*b", false},
        {"a\x01" "b", false},
        {"\xB1", false},                          // a lead byte without its trail
        {"", false},
        {std::string(260, 'a'), false},
        {std::string(259, 'a'), true},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsSafeRelativePath(c.path), c.safe);
    }
    EXPECT_TRUE(IsSafeName("12"));
    EXPECT_FALSE(IsSafeName("a\\b"));
}

TEST(TransferPath, AbsoluteFoldersNeedADriveAndSafeNames)
{
    EXPECT_TRUE(IsAbsoluteFolder("C:\\"));
    EXPECT_TRUE(IsAbsoluteFolder("C:\\KQSENDFILES\\"));
    EXPECT_TRUE(IsAbsoluteFolder("c:\\a\\b"));
    EXPECT_FALSE(IsAbsoluteFolder("C:"));
    EXPECT_FALSE(IsAbsoluteFolder("KQ\\"));
    EXPECT_FALSE(IsAbsoluteFolder("\\\\server\\share\\"));
    EXPECT_FALSE(IsAbsoluteFolder("C:\\a\\..\\Windows\\"));
}

TEST(TransferPath, CutsNamesOnWholeCharacters)
{
    EXPECT_EQ(StripTrailingSeparators("C:\\src\\\\"), "C:\\src");
    EXPECT_EQ(WithTrailingSeparator("C:\\src"), "C:\\src\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\src\\\\"), "C:\\src\\");
    // A name ending in a character whose trail byte is '\' keeps it.
    EXPECT_EQ(StripTrailingSeparators("C:\\" + kTrailBackslash), "C:\\" + kTrailBackslash);
    EXPECT_EQ(LastName("C:\\a\\" + kTrailBackslash), kTrailBackslash);
    EXPECT_EQ(LastName("C:\\a\\b\\\\"), "b");
    EXPECT_EQ(LastName("C:\\"), "");
    EXPECT_EQ(FirstName(kTrailBackslash + "x\\y.txt"), kTrailBackslash + "x");
    EXPECT_EQ(FirstName("y.txt"), "y.txt");
}

TEST(TransferPath, ScalesCountersThatPassFourGibibytes)
{
    uint32_t total = 0;
    uint32_t done = 0;
    ScaleProgress(200, 50, total, done);
    EXPECT_EQ(total, 200u);
    EXPECT_EQ(done, 50u);
    ScaleProgress(200, 500, total, done); // never past the total
    EXPECT_EQ(done, 200u);
    const uint64_t big = 10ull << 30; // 10 GiB
    ScaleProgress(big, big / 4, total, done);
    EXPECT_LE(total, UINT32_MAX);
    EXPECT_EQ(static_cast<uint64_t>(done) * 4, total);
}

} // namespace
