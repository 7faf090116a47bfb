#include "framework/File.h"
#include "framework/FileFind.h"
#include "framework/StdioFile.h"
#include "framework/Time.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// A fresh folder under the temporary folder, removed with its files afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_GT(::GetTempPathA(sizeof(temp), temp), 0u);
        m_dir.Format("%skqfw_%lu_%lu", temp, ::GetCurrentProcessId(), ::GetTickCount());
        ASSERT_TRUE(::CreateDirectoryA(m_dir, nullptr));
    }

    void TearDown() override { RemoveTree(m_dir); }

    static void RemoveTree(const CString& dir)
    {
        WIN32_FIND_DATAA data;
        const HANDLE search = ::FindFirstFileA(dir + "\\*", &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const CString name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                const CString path = dir + "\\" + name;
                ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    ::DeleteFileA(path);
            } while (::FindNextFileA(search, &data));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(dir);
    }

    CString PathOf(LPCSTR name) const { return m_dir + "\\" + name; }

    void WriteRaw(LPCSTR name, const std::string& bytes) const
    {
        CFile file(PathOf(name), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    }

    std::string ReadRaw(LPCSTR name) const
    {
        CFile file(PathOf(name), CFile::modeRead);
        std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
        EXPECT_EQ(file.Read(bytes.data(), static_cast<UINT>(bytes.size())), bytes.size());
        return bytes;
    }

    CString m_dir;
};

using CFileTest = TempFolderTest;
using CStdioFileTest = TempFolderTest;
using CFileFindTest = TempFolderTest;

TEST_F(CFileTest, WritesReadsSeeksAndTruncates)
{
    const std::string bytes("head\0\x01\xFFtail", 11);
    WriteRaw("data.bin", bytes);
    EXPECT_EQ(ReadRaw("data.bin"), bytes);

    CFile file;
    ASSERT_TRUE(file.Open(PathOf("data.bin"), CFile::modeReadWrite));
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(-4, CFile::end), 7u);
    char tail[8] = {};
    EXPECT_EQ(file.Read(tail, sizeof(tail)), 4u); // a short read at the end is no error
    EXPECT_STREQ(tail, "tail");
    EXPECT_EQ(file.Read(tail, sizeof(tail)), 0u);
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);
    file.Seek(2, CFile::current);
    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    EXPECT_EQ(file.GetPosition(), 2u);
    EXPECT_EQ(file.SeekToEnd(), 4u);
    file.Write("!", 1);
    file.Flush();
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ReadRaw("data.bin"), "head!");

    // modeNoTruncate keeps what is there; plain modeCreate empties it.
    CFile keep(PathOf("data.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(keep.GetLength(), 5u);
    keep.Close();
    CFile fresh(PathOf("data.bin"), CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(fresh.GetLength(), 0u);
}

TEST_F(CFileTest, NamesAndStatus)
{
    // The last character's trail byte is '\': it must not be taken for a separator.
    const CString name = CString("数据\x95\x5C") + ".txt";
    WriteRaw(name, "12345");
    CFile file(PathOf(name), CFile::modeRead | CFile::shareDenyNone);
    EXPECT_EQ(file.GetFilePath(), PathOf(name));
    EXPECT_EQ(file.GetFileName(), name);
    EXPECT_EQ(file.GetFileTitle(), CString("数据\x95\x5C"));

    CFileStatus status;
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(CString(status.m_szFullName), PathOf(name));

    ASSERT_TRUE(CFile::GetStatus(PathOf(name), status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
    const CTimeSpan age = CTime::GetCurrentTime() - status.m_mtime;
    EXPECT_LT(age.GetTotalSeconds(), 60);
    EXPECT_GT(age.GetTotalSeconds(), -60);
    EXPECT_EQ(CString(status.m_szFullName), PathOf(name));

    ASSERT_TRUE(CFile::GetStatus(m_dir, status));
    EXPECT_NE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_FALSE(CFile::GetStatus(PathOf("*.txt"), status)); // no wildcard matching
    EXPECT_FALSE(CFile::GetStatus(PathOf("missing"), status));
}

TEST_F(CFileTest, FailuresCarryTheirCause)
{
    struct Case {
        CString path;
        UINT flags;
        int cause;
        LONG osError;
    };
    const Case cases[] = {
        {PathOf("missing.txt"), CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {PathOf("no\\such\\folder.txt"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ERROR_PATH_NOT_FOUND},
        {m_dir, CFile::modeWrite, CFileException::accessDenied, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path, c.flags, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
        EXPECT_EQ(error.m_lOsError, c.osError) << c.path;
        EXPECT_EQ(error.m_strFileName, c.path);
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);

        int thrownCause = CFileException::none;
        try {
            CFile thrower(c.path, c.flags);
        } catch (CFileException* e) {
            thrownCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(thrownCause, c.cause) << c.path;
    }

    CFile file;
    EXPECT_FALSE(file.Open(nullptr, CFile::modeRead));
    EXPECT_FALSE(file.Open("", CFile::modeRead));
}

TEST_F(CFileTest, SharingRemoveRenameAndMessages)
{
    WriteRaw("locked.txt", "x");
    CFile owner(PathOf("locked.txt"), CFile::modeRead | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(PathOf("locked.txt"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    owner.Close();

    CFile::Rename(PathOf("locked.txt"), PathOf("renamed.txt"));
    EXPECT_EQ(ReadRaw("renamed.txt"), "x");
    CFile::Remove(PathOf("renamed.txt"));
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(PathOf("renamed.txt"), status));

    CFileException* caught = nullptr;
    try {
        CFile::Remove(PathOf("renamed.txt"));
    } catch (CFileException* e) {
        caught = e;
    }
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(caught->m_cause, CFileException::fileNotFound);
    EXPECT_TRUE(caught->IsKindOf(RUNTIME_CLASS(CException)));

    char message[256];
    UINT help = 99;
    ASSERT_TRUE(caught->GetErrorMessage(message, sizeof(message), &help));
    EXPECT_NE(CString(message).Find(PathOf("renamed.txt")), -1);
    EXPECT_EQ(help, 0u);
    // A small buffer gets a terminated text cut before a whole character.
    char small[4] = {'#', '#', '#', '#'};
    ASSERT_TRUE(caught->GetErrorMessage(small, sizeof(small)));
    EXPECT_EQ(CString(small), "找"); // two bytes: the third would split a character
    EXPECT_FALSE(caught->GetErrorMessage(small, 0));
    caught->Delete();
}

TEST_F(CStdioFileTest, ReadStringHandlesEveryLineEnd)
{
    const std::string longLine(4095, 'x'); // its "\r\n" straddles the read-ahead buffer
    WriteRaw("lines.txt", "one\r\ntwo\n\n\r\nlast\r" + std::string("\n") + longLine + "\r\nno end");
    CStdioFile file(PathOf("lines.txt"), CFile::modeRead | CFile::typeText);
    std::string lines;
    CString line;
    int count = 0;
    while (file.ReadString(line)) {
        ++count;
        lines += (line.GetLength() == 4095 ? CString("<long>") : line) + "|";
    }
    EXPECT_EQ(lines, "one|two|||last|<long>|no end|");
    EXPECT_EQ(count, 7);
    EXPECT_FALSE(file.ReadString(line));

    WriteRaw("empty.txt", "");
    CStdioFile empty(PathOf("empty.txt"), CFile::modeRead);
    EXPECT_FALSE(empty.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST_F(CStdioFileTest, ReadStringIntoABufferKeepsTheLineEnd)
{
    WriteRaw("text.txt", "ab\r\ncdefg\nab中c");
    CStdioFile file(PathOf("text.txt"), CFile::modeRead);
    char buffer[16];
    std::string pieces;
    while (file.ReadString(buffer, 4)) // at most 3 bytes each
        pieces += std::string(buffer) + "|";
    EXPECT_EQ(pieces, "ab\n|cde|fg\n|ab|中c|"); // "中" does not fit after "ab" and goes whole
    EXPECT_EQ(file.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_EQ(file.ReadString(buffer, 1), nullptr);
    file.Close(); // opened without sharing: exclusive

    CStdioFile binary(PathOf("text.txt"), CFile::modeRead | CFile::typeBinary);
    ASSERT_NE(binary.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_STREQ(buffer, "ab\r\n");
}

TEST_F(CStdioFileTest, WriteStringWritesWindowsLineEnds)
{
    {
        CStdioFile file(PathOf("out.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("第一行\n");
        file.WriteString("second\r\nthird");
        file.WriteString(nullptr);
        file.WriteString("\n");
    }
    EXPECT_EQ(ReadRaw("out.txt"), "第一行\r\nsecond\r\nthird\r\n");

    {
        CStdioFile file(PathOf("raw.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("a\nb");
    }
    EXPECT_EQ(ReadRaw("raw.txt"), "a\nb");
}

TEST_F(CStdioFileTest, ReadAheadIsInvisibleToPositionAndWrites)
{
    WriteRaw("mixed.txt", "first\nsecond\nthird\n");
    CStdioFile file(PathOf("mixed.txt"), CFile::modeReadWrite | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(file.GetPosition(), 6u);
    file.Write("SECOND", 6); // lands right after the line just read
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "");
    char third[5] = {};
    EXPECT_EQ(file.Read(third, 4), 4u);
    EXPECT_STREQ(third, "thir");
    file.Seek(0, CFile::begin);
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "SECOND");
    file.Close();
    EXPECT_EQ(ReadRaw("mixed.txt"), "first\nSECOND\nthird\n");
}

TEST_F(CFileFindTest, WalksMatchesWithPathsAndAttributes)
{
    WriteRaw("a.txt", "aaa");
    WriteRaw("b.txt", "b");
    WriteRaw("c.log", "c");
    ASSERT_TRUE(::CreateDirectoryA(PathOf("sub"), nullptr));
    ::SetFileAttributesA(PathOf("b.txt"), FILE_ATTRIBUTE_HIDDEN);

    CFileFind finder;
    EXPECT_FALSE(finder.FindNextFile()); // no search yet
    ASSERT_TRUE(finder.FindFile(PathOf("*.txt")));
    EXPECT_EQ(finder.GetRoot(), m_dir);
    std::set<std::string> found;
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        found.insert(std::string(finder.GetFileName()));
        EXPECT_EQ(finder.GetFilePath(), PathOf(finder.GetFileName()));
        if (finder.GetFileName() == "a.txt") {
            EXPECT_EQ(finder.GetLength(), 3u);
            EXPECT_EQ(finder.GetFileTitle(), "a");
            EXPECT_FALSE(finder.IsHidden());
            CTime written;
            ASSERT_TRUE(finder.GetLastWriteTime(written));
            EXPECT_LT((CTime::GetCurrentTime() - written).GetTotalSeconds(), 60);
        } else {
            EXPECT_TRUE(finder.IsHidden());
        }
    }
    EXPECT_EQ(found, (std::set<std::string>{"a.txt", "b.txt"}));

    ASSERT_TRUE(finder.FindFile(PathOf("*.*")));
    std::set<std::string> folders;
    std::set<std::string> dots;
    int files = 0;
    BOOL more = TRUE;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            dots.insert(std::string(finder.GetFileName()));
        else if (finder.IsDirectory())
            folders.insert(std::string(finder.GetFileName()));
        else
            ++files;
    }
    EXPECT_EQ(dots, (std::set<std::string>{".", ".."}));
    EXPECT_EQ(folders, (std::set<std::string>{"sub"}));
    EXPECT_EQ(files, 3);

    EXPECT_FALSE(finder.FindFile(PathOf("*.none")));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

TEST(CTimeTest, LocalPartsFormatAndArithmetic)
{
    const CTime t(2023, 6, 15, 14, 30, 5);
    EXPECT_EQ(t.GetYear(), 2023);
    EXPECT_EQ(t.GetMonth(), 6);
    EXPECT_EQ(t.GetDay(), 15);
    EXPECT_EQ(t.GetHour(), 14);
    EXPECT_EQ(t.GetMinute(), 30);
    EXPECT_EQ(t.GetSecond(), 5);
    EXPECT_EQ(t.GetDayOfWeek(), 5); // a Thursday
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2023-06-15 14:30:05");
    EXPECT_EQ(t.Format("%Y年%m月%d日"), "2023年06月15日");
    EXPECT_EQ(t.Format("%j"), "166");
    EXPECT_EQ(t.Format("100% %Q"), "100% %Q"); // unknown codes are kept, not fatal
    EXPECT_EQ(t.Format(""), "");

    // Parts out of range carry over.
    EXPECT_EQ(CTime(2023, 2, 29, 0, 0, 0).Format("%m-%d"), "03-01");
    EXPECT_EQ(CTime(2023, 13, 1, 24, 0, 0).Format("%Y-%m-%d %H"), "2024-01-02 00");

    SYSTEMTIME st = {};
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), t);

    const FILETIME epochPlusDay = {0xFFA84000, 0x019DB2A7}; // 1970-01-02 00:00 UTC
    EXPECT_EQ(CTime(epochPlusDay).GetTime(), 86400);
    EXPECT_EQ(CTime(86400).FormatGmt("%Y-%m-%d %H:%M"), "1970-01-02 00:00");

    const CTimeSpan span = CTime(2023, 6, 16, 16, 31, 7) - t;
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 1);
    EXPECT_EQ(span.GetSeconds(), 2);
    EXPECT_EQ(span.GetTotalSeconds(), 86400 + 7262);
    EXPECT_EQ(t + span, CTime(2023, 6, 16, 16, 31, 7));
    EXPECT_LT(t, t + CTimeSpan(1));
    EXPECT_EQ(CTimeSpan(1, 2, 3, 4).GetTotalSeconds(), 93784);
}

} // namespace
