// A folder typed by the user, checked for its syntax and looked up on disk:
// a Chinese folder name whose trail bytes are "@" and "|" is valid, and
// drive roots and folders written with a trailing backslash are folders.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "teacher/PathSyntax.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathType, ChineseFolderRootsAndFiles)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    // Two characters whose trail bytes are 0x40 "@" and 0x7C "|".
    const std::string folder = std::string(temp) + "kq_\xBA\x40\x81\x7C";
    const std::string file = folder + "\\paper.txt";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE created = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    ::CloseHandle(created);

    const struct {
        std::string path;
        int syntax;
        int type;
    } cases[] = {
        {folder, kq::kPathValid, kq::kPathIsFolder},
        {folder + "\\", kq::kPathValid, kq::kPathIsFolder},
        {file, kq::kPathValid, kq::kPathIsFile},
        {folder + "\\missing", kq::kPathValid, kq::kPathMissing},
        {"C:\\", kq::kPathValid, kq::kPathIsFolder},
        {folder + "|x", kq::kPathBadCharacter, kq::kPathMissing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(kq::CheckPathSyntax(c.path.c_str()), c.syntax);
        EXPECT_EQ(kq::GetPathType(c.path.c_str()), c.type);
    }
    ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace
