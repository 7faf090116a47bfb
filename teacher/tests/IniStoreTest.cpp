// The ini store as the teacher reads Teacher.ini with it: sections and names
// matched without regard to ASCII case, lines split at their first "=",
// over-long lines cut, and the whole file written back.

#include "teacher/IniStore.h"
#include "teacher/tests/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using kqtest::TempFile;

CIniStore Read(const TempFile& file)
{
    CIniStore store;
    store.SetPath(file.Path());
    EXPECT_TRUE(store.ReadFile());
    return store;
}

TEST(IniStore, ReadsLinesAsTheFileFormatSays)
{
    const TempFile file("kq_ini_lines.ini",
                        "top=1\r\n"
                        "[NetWork]\r\n"
                        "  MainPort  =  2002  \r\n"
                        "Url=a=b\r\n"
                        "[setup]\n"
                        "Hits=3\n"
                        "HITS=9\n"
                        "[Setup] \n"
                        "   \n"
                        "\n"
                        "[[Empty]]\n");
    CIniStore store = Read(file);

    const struct {
        const char* key;
        const char* name;
        const char* value;
    } cases[] = {
        {"", "top", "1"},              // before the first section: the empty key
        {"network", "mainport", "2002"}, // trimmed, case folded
        {"NetWork", "Url", "a=b"},     // split at the first "="
        {"SETUP", "hits", "9"},        // a repeated name keeps the last value
        {"Setup", "", ""},             // "[Setup] " is no section line; a blank line is a pair
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "/" + c.name);
        EXPECT_EQ(store.GetValue(c.key, c.name), c.value);
    }
    EXPECT_EQ(store.GetValueInt("NetWork", "MainPort"), 2002);
    EXPECT_EQ(store.GetValueCount("Setup"), 2) << "Hits and the empty name";
    EXPECT_EQ(store.FindKey("Empty"), -1) << "a section without pairs is not stored";
    EXPECT_EQ(store.GetKeyCount(), 3);
}

TEST(IniStore, ReportsWhatItCannotFind)
{
    const TempFile file("kq_ini_errors.ini", "[Ver]\nVersionID=770\nName=abc\n");
    CIniStore store = Read(file);

    EXPECT_EQ(store.GetValue("Ver", "VersionID"), "770");
    EXPECT_EQ(store.GetValue("Ver", "Missing"), "");
    EXPECT_EQ(store.GetLastError(), CIniStore::kValueMissing);
    EXPECT_EQ(store.GetValue("Nowhere", "VersionID"), "");
    EXPECT_EQ(store.GetLastError(), CIniStore::kKeyMissing);
    EXPECT_EQ(store.GetValueInt("Ver", "Name"), 0);
    EXPECT_EQ(store.GetValueInt("Ver", "Missing"), 0);

    std::string name = "untouched";
    EXPECT_EQ(store.GetValueAt("Ver", 1, name), "abc");
    EXPECT_EQ(name, "Name");
    for (int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        name = "untouched";
        EXPECT_EQ(store.GetValueAt("Ver", index, name), "");
        EXPECT_EQ(name, "untouched");
        EXPECT_EQ(store.GetLastError(), CIniStore::kValueMissing);
    }

    EXPECT_FALSE(store.SetValue("Ver", "New", "1", false));
    EXPECT_FALSE(store.SetValue("New", "New", "1", false));
    EXPECT_EQ(store.GetValueCount("Ver"), 2);
    EXPECT_FALSE(store.DeleteValue("Ver", "Missing"));
    EXPECT_TRUE(store.DeleteValue("Ver", "VersionID"));
    EXPECT_EQ(store.GetValueAt("Ver", 0, name), "abc");
}

TEST(IniStore, MissingFileReadsNothing)
{
    CIniStore store;
    store.SetPath((std::filesystem::temp_directory_path() / "kq_ini_no_such_file.ini").string());
    EXPECT_FALSE(store.ReadFile());
    EXPECT_EQ(store.GetLastError(), "");
    EXPECT_EQ(store.GetKeyCount(), 0);
}

TEST(IniStore, FoldsAsciiLettersOnly)
{
    // "繫" is 0xC0 0x41 in CP936 and "繟" 0xC0 0x61: trail bytes "A" and "a".
    const std::string upper = "\xC0\x41";
    const std::string lower = "\xC0\x61";
    CIniStore store;
    ASSERT_TRUE(store.SetValue("Seats", upper, "1", true));
    ASSERT_TRUE(store.SetValue("Seats", lower, "2", true));
    EXPECT_EQ(store.GetValueCount("Seats"), 2);
    EXPECT_EQ(store.GetValue("seats", upper), "1");
    EXPECT_EQ(store.GetValue("SEATS", lower), "2");
    EXPECT_TRUE(CIniStore::EqualNoCase("Abc" + upper, "aBC" + upper));
}

TEST(IniStore, LongLineKeepsItsStartAndDropsTheRest)
{
    const std::string value(CIniStore::kMaxLineLength - 2, 'v');
    const std::string rest = "\r\nnext=2\r\n";
    // "k=" + value fills the limit; "[Lost]=3" after it must not become a line.
    const TempFile file("kq_ini_long.ini", "[A]\r\nk=" + value + "[Lost]=3" + rest);
    CIniStore store = Read(file);
    EXPECT_EQ(store.GetValue("A", "k"), value);
    EXPECT_EQ(store.GetValue("A", "next"), "2");
    EXPECT_EQ(store.GetValueCount("A"), 2);
    EXPECT_EQ(store.FindKey("Lost"), -1);
}

TEST(IniStore, WriteFileDropsEmptySections)
{
    const TempFile file("kq_ini_write.ini", "[Empty]\r\n[Ver]\r\nA = 1\r\n\r\n[Other]\r\nB=x y\r\n");
    CIniStore store = Read(file);
    ASSERT_TRUE(store.WriteFile());
    EXPECT_EQ(file.Read(), "[Ver]\r\nA=1\r\n\r\n[Other]\r\nB=x y\r\n\r\n");
}

} // namespace
