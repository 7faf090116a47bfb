#include "framework/String.h"

#include "framework/ModuleState.h"
#include "framework/tests/StringTestResources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Double-byte characters whose trail byte is an ASCII character.
constexpr char kTrailBackslash[] = "\x95\x5C"; // trail byte '\'
constexpr char kTrailBar[] = "\x81\x7C";       // trail byte '|'
constexpr char kTrailLowerA[] = "\xB0\x61";    // trail byte 'a'
constexpr char kTrailUpperA[] = "\xB0\x41";    // trail byte 'A'
constexpr char kZhong[] = "\xD6\xD0";          // an ordinary double-byte character

std::string Bytes(const CString& s) { return std::string(s, s.GetLength()); }

TEST(CStringTest, ConstructsFromTextCharacterAndPiece)
{
    EXPECT_EQ(Bytes(CString()), "");
    EXPECT_EQ(Bytes(CString(static_cast<LPCSTR>(nullptr))), "");
    EXPECT_EQ(Bytes(CString("abc")), "abc");
    EXPECT_EQ(Bytes(CString('x', 3)), "xxx");
    EXPECT_EQ(Bytes(CString('x', 0)), "");
    EXPECT_EQ(Bytes(CString("abcdef", 3)), "abc");
    CString s = "晨星";
    EXPECT_EQ(s.GetLength(), 4); // two CP936 characters
    EXPECT_EQ(Bytes(s), "\xB3\xBF\xD0\xC7");
}

struct FindCase {
    const char* text;
    char ch;
    int start;
    int expected;
};

TEST(CStringTest, FindCharacterNeverMatchesATrailByte)
{
    const std::string trailThenBackslash = std::string(kTrailBackslash) + "\\";
    const FindCase cases[] = {
        {kTrailBackslash, '\\', 0, -1},
        {trailThenBackslash.c_str(), '\\', 0, 2},
        {"a\\b\\", '\\', 2, 3},
        {"a\\b", '\\', -5, 1},
        {kTrailBar, '|', 0, -1},
        {"abc", 'x', 0, -1},
        {"abc", 'a', 10, -1},
    };
    for (const auto& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Find(c.ch, c.start), c.expected) << c.text << " from " << c.start;
    }
}

TEST(CStringTest, FindTextStartsOnlyAtCharacterBoundaries)
{
    CString s = CString("x") + kTrailBackslash + "\\y" + kTrailBackslash + "x";
    EXPECT_EQ(s.Find("\\y"), 3);
    EXPECT_EQ(s.Find("\\x"), -1); // only a trail byte is followed by 'x'
    EXPECT_EQ(s.Find(kTrailBackslash), 1);
    EXPECT_EQ(s.Find(kTrailBackslash, 2), 5);
    EXPECT_EQ(s.Find("x", 1), 7);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("", 3), 3);
    EXPECT_EQ(s.Find("x", 100), -1);
    EXPECT_EQ(s.Find(static_cast<LPCSTR>(nullptr)), -1);
}

TEST(CStringTest, ReverseFindAndFindOneOfSkipTrailBytes)
{
    CString path = CString("C:\\dir\\") + kTrailBackslash;
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(CString(kTrailBackslash).ReverseFind('\\'), -1);

    CString s = CString(kTrailBackslash) + kTrailBar + "|";
    EXPECT_EQ(s.FindOneOf("\\|"), 4);
    EXPECT_EQ(s.FindOneOf(kTrailBar), 2); // a double-byte character in the set matches whole
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CStringTest, ReplaceAndRemoveLeaveTrailBytesAlone)
{
    CString s = CString(kTrailBackslash) + "\\a\\";
    EXPECT_EQ(s.Replace('\\', '/'), 2);
    EXPECT_EQ(Bytes(s), std::string(kTrailBackslash) + "/a/");

    CString t = CString(kTrailBackslash) + "\\";
    EXPECT_EQ(t.Replace("\\", "\\\\"), 1);
    EXPECT_EQ(Bytes(t), std::string(kTrailBackslash) + "\\\\");

    CString u = "one, two, three";
    EXPECT_EQ(u.Replace(", ", "，"), 2);
    EXPECT_EQ(u, "one，two，three");
    EXPECT_EQ(u.Replace("", "x"), 0);
    EXPECT_EQ(u.Replace("two", nullptr), 1);
    EXPECT_EQ(u, "one，，three");

    CString v = CString("|") + kTrailBar + "|";
    EXPECT_EQ(v.Remove('|'), 2);
    EXPECT_EQ(Bytes(v), kTrailBar);
}

TEST(CStringTest, CaseChangesOnlyTouchSingleByteLetters)
{
    CString upper = CString("ab") + kTrailLowerA + "z";
    upper.MakeUpper();
    EXPECT_EQ(Bytes(upper), std::string("AB") + kTrailLowerA + "Z");

    CString lower = CString("AB") + kTrailUpperA + "Z";
    lower.MakeLower();
    EXPECT_EQ(Bytes(lower), std::string("ab") + kTrailUpperA + "z");

    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_NE(CString(kTrailLowerA).CompareNoCase(kTrailUpperA), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_EQ(CString("a").Compare("a"), 0);
    EXPECT_LT(CString("").Compare("a"), 0);
    EXPECT_EQ(CString("晨星").Collate("晨星"), 0);
    EXPECT_LT(CString("apple").Collate("banana"), 0);
    EXPECT_EQ(CString("ABC").CollateNoCase("abc"), 0);
}

TEST(CStringTest, TrimKeepsTrailBytesThatLookLikeTargets)
{
    CString ws = " \t 中文 \r\n";
    ws.Trim();
    EXPECT_EQ(ws, "中文");

    CString path = CString("dir\\") + kTrailBackslash;
    path.TrimRight('\\');
    EXPECT_EQ(Bytes(path), std::string("dir\\") + kTrailBackslash);

    CString bars = CString("||x") + kTrailBar + "||";
    bars.TrimRight("|");
    EXPECT_EQ(Bytes(bars), std::string("||x") + kTrailBar);
    bars.TrimLeft('|');
    EXPECT_EQ(Bytes(bars), std::string("x") + kTrailBar);

    CString mixed = "xyabcyx";
    EXPECT_EQ(mixed.Trim("xy"), "abc");
    CString all = "   ";
    EXPECT_TRUE(all.Trim().IsEmpty());
}

TEST(CStringTest, PiecesNeverSplitADoubleByteCharacter)
{
    const CString s = CString("a") + kZhong + "b"; // bytes: a D6 D0 b
    EXPECT_EQ(s.Left(1), "a");
    EXPECT_EQ(s.Left(2), "a"); // would end inside the character
    EXPECT_EQ(Bytes(s.Left(3)), std::string("a") + kZhong);
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(1), "b");
    EXPECT_EQ(s.Right(2), "b"); // would start on the trail byte
    EXPECT_EQ(Bytes(s.Right(3)), std::string(kZhong) + "b");
    EXPECT_EQ(Bytes(s.Mid(1, 2)), kZhong);
    EXPECT_EQ(s.Mid(2), "b");
    EXPECT_EQ(s.Mid(1, 1), "");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 1), "a");

    CString d = s;
    EXPECT_EQ(d.Delete(2, 1), 2); // a trail byte takes its lead byte with it
    EXPECT_EQ(d, "ab");
    EXPECT_EQ(d.Delete(5), 2);
    EXPECT_EQ(d.Delete(0, 99), 0);

    CString r = s;
    r.MakeReverse();
    EXPECT_EQ(Bytes(r), std::string("b") + kZhong + "a");
}

TEST(CStringTest, InsertAndElementAccess)
{
    CString s = "ac";
    EXPECT_EQ(s.Insert(1, 'b'), 3);
    EXPECT_EQ(s.Insert(99, "d"), 4);
    EXPECT_EQ(s.Insert(-1, "_"), 5);
    EXPECT_EQ(s, "_abcd");
    CString z = kZhong;
    z.Insert(1, "x"); // inside the character: goes before it
    EXPECT_EQ(Bytes(z), std::string("x") + kZhong);

    EXPECT_EQ(s.GetAt(1), 'a');
    EXPECT_EQ(s[4], 'd');
    EXPECT_EQ(s.GetAt(5), '\0');
    EXPECT_EQ(s.GetAt(6), '\0');
    EXPECT_EQ(s.GetAt(-1), '\0');
    s.SetAt(0, '-');
    s.SetAt(9, '!');
    EXPECT_EQ(s, "-abcd");
}

TEST(CStringTest, SpansAndTokens)
{
    const CString s = CString(kTrailBackslash) + "ab\\cd";
    EXPECT_EQ(Bytes(s.SpanExcluding("\\")), std::string(kTrailBackslash) + "ab");
    EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
    EXPECT_EQ(CString("abc").SpanIncluding("x"), "");

    const CString list = CString(",a,") + kTrailBackslash + ",,b\\c";
    int pos = 0;
    std::string tokens;
    for (CString token = list.Tokenize(",\\", pos); pos != -1; token = list.Tokenize(",\\", pos))
        tokens += Bytes(token) + "/";
    EXPECT_EQ(tokens, std::string("a/") + kTrailBackslash + "/b/c/");
    EXPECT_EQ(pos, -1);
}

TEST(CStringTest, FormatTakesCStringArgumentsAndAnyLength)
{
    CString name = "A1";
    CString s;
    s.Format("%s-%d-%05.1f-%c", name, 42, 3.14159, 'z');
    EXPECT_EQ(s, "A1-42-003.1-z");

    s.Format("%s|%s", s, s); // the string itself as an argument
    EXPECT_EQ(s, "A1-42-003.1-z|A1-42-003.1-z");

    s.AppendFormat(" %u%%", 7u);
    EXPECT_EQ(s, "A1-42-003.1-z|A1-42-003.1-z 7%");

    const std::string big(5000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);

    s.Format("%I64d %lld %s", static_cast<long long>(1) << 40, -5LL, "晨星");
    EXPECT_EQ(s, "1099511627776 -5 晨星");
}

TEST(CStringTest, BufferRoundTrip)
{
    CString s = "keep";
    LPSTR p = s.GetBuffer(0);
    EXPECT_STREQ(p, "keep");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "keep");

    p = s.GetBuffer(MAX_PATH);
    const DWORD written = ::GetModuleFileNameA(nullptr, p, MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_GT(written, 0u);
    EXPECT_EQ(s.GetLength(), static_cast<int>(written));

    p = s.GetBufferSetLength(3);
    p[0] = 'x';
    p[1] = 'y';
    p[2] = 'z';
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "xy");
    s.GetBuffer(10);
    s.ReleaseBuffer(99); // clamped to the buffer
    EXPECT_EQ(s.GetLength(), 10);
    s.ReleaseBuffer(); // up to the first terminator
    EXPECT_EQ(s, "xy");
}

TEST(CStringTest, OperatorsWorkWithTextOnEitherSide)
{
    CString s = "b";
    EXPECT_TRUE(s == "b");
    EXPECT_TRUE("b" == s);
    EXPECT_TRUE(s != "a");
    EXPECT_TRUE("a" < s);
    EXPECT_TRUE(s > "a");
    EXPECT_TRUE(s <= CString("b"));
    EXPECT_TRUE("c" >= s);
    EXPECT_EQ("x" + s + 'y' + CString("z"), "xbyz");
    EXPECT_EQ('<' + s, "<b");
    s += "c";
    s += 'd';
    s += CString("e");
    EXPECT_EQ(s, "bcde");
    s = 'q';
    EXPECT_EQ(s, "q");
    s = static_cast<LPCSTR>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(static_cast<LPCSTR>(s), "");
}

TEST(CStringTest, LoadStringReadsTheModuleStringTable)
{
    const HINSTANCE self = ::GetModuleHandleA(nullptr);
    CString s;
    ASSERT_TRUE(s.LoadString(self, IDS_TEST_PLAIN));
    EXPECT_EQ(s, "Hello");
    ASSERT_TRUE(s.LoadString(self, IDS_TEST_CHINESE));
    EXPECT_EQ(s, "晨星电子教室"); // converted to CP936
    ASSERT_TRUE(s.LoadString(self, IDS_TEST_LONG));
    EXPECT_EQ(s.GetLength(), 600);
    EXPECT_FALSE(s.LoadString(self, IDS_TEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());

    // From the current resource module, also through a resource id.
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(self);
    EXPECT_TRUE(s.LoadString(IDS_TEST_PLAIN));
    EXPECT_EQ(s, "Hello");
    EXPECT_EQ(CString(MAKEINTRESOURCEA(IDS_TEST_CHINESE)), "晨星电子教室");
    s.Format(IDS_TEST_FORMAT, CString("A1"), 40);
    EXPECT_EQ(s, "A1 has 40 seats");
    AfxSetResourceHandle(previous);
}

} // namespace
