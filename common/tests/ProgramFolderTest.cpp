#include "common/ProgramFolder.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#endif

namespace {

// B0 5C is a CP936 character whose trail byte is the backslash; B3 BF is "晨".
const struct {
    const char* name;
    const char* path;
    std::string folder;
} kFolderCases[] = {
    {"program in a folder", "C:\\Teacher\\Teacher.exe", "C:\\Teacher\\"},
    {"program at the drive's root", "C:\\Teacher.exe", "C:\\"},
    {"Chinese folder name", "D:\\\xB3\xBF\xD0\xC7\\Teacher.exe", "D:\\\xB3\xBF\xD0\xC7\\"},
    {"trail byte 5C in the file name is no separator", "C:\\Kq\\\xB0\x5C.exe", "C:\\Kq\\"},
    {"trail byte 5C ending a folder name", "C:\\\xB0\x5C\\a.exe", "C:\\\xB0\x5C\\"},
    {"lead byte without trail at the end", "C:\\Kq\\a\xB0", "C:\\Kq\\"},
    {"forward slashes are not separators", "C:/Kq/a.exe", ""},
    {"no backslash", "Teacher.exe", ""},
    {"empty path", "", ""},
    {"null path", nullptr, ""},
};

TEST(ProgramFolder, CutsAfterTheLastBackslashOnCharacterBoundaries)
{
    for (const auto& c : kFolderCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kq::FolderOfPath(c.path), c.folder);
    }
}

TEST(ProgramFolder, ConfiguredNamesAreTakenRelativeToTheFolderUnlessAbsolute)
{
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"", ""},
        {"BackBmp\\Logo.bmp", "C:\\Kq\\BackBmp\\Logo.bmp"},
        {"Logo.bmp", "C:\\Kq\\Logo.bmp"},
        {"D:\\Pictures\\Logo.bmp", "D:\\Pictures\\Logo.bmp"},
        {"D:Logo.bmp", "D:Logo.bmp"}, // a drive of its own
        {"C:", "C:"},
        {"\\Pictures\\Logo.bmp", "\\Pictures\\Logo.bmp"},
        {"\\\\server\\share\\Logo.bmp", "\\\\server\\share\\Logo.bmp"},
        {"/Pictures/Logo.bmp", "C:\\Kq\\/Pictures/Logo.bmp"}, // only a backslash starts from a root
        {"L", "C:\\Kq\\L"},
        {"\xB3\xBF.bmp", "C:\\Kq\\\xB3\xBF.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kq::PathInFolder("C:\\Kq\\", c.name), c.path);
    }
}

#ifdef _WIN32
TEST(ProgramFolder, IsTheFolderOfTheRunningModule)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    const std::string folder = kq::GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(path).rfind(folder, 0), 0u) << path << " lies in " << folder;
    EXPECT_EQ(std::string(path).find('\\', folder.size()), std::string::npos);
}
#endif

} // namespace
