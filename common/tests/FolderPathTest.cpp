#include "common/FolderPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#endif

namespace {

using Folders = std::vector<std::string>;

TEST(FolderPath, FoldersOfAPathOutermostFirst)
{
    const struct {
        const char* path;
        Folders folders;
    } cases[] = {
        {"C:\\a\\b", {"C:\\a", "C:\\a\\b"}},
        {"C:\\a\\b\\", {"C:\\a", "C:\\a\\b"}},
        {"C:\\a\\\\b", {"C:\\a", "C:\\a\\\\b"}},
        {"C:\\", {}},
        {"C:", {}},
        {"", {}},
        {"\\\\server\\share\\x\\y", {"\\\\server\\share\\x", "\\\\server\\share\\x\\y"}},
        {"\\\\server\\share", {}},
        // 0x95 0x5C is one character whose trail byte is the backslash.
        {"C:\\\x95\x5C\\y", {"C:\\\x95\x5C", "C:\\\x95\x5C\\y"}},
        {"C:\\a\\\x95\x5C", {"C:\\a", "C:\\a\\\x95\x5C"}},
        {"C:\\config\\晨星桌面\\", {"C:\\config", "C:\\config\\晨星桌面"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(kq::FoldersOfPath(c.path), c.folders);
    }
}

#ifdef _WIN32
TEST(FolderPath, MakesEveryMissingFolder)
{
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string root = std::string(temp) + "kq_folder_path_test";
    const std::string deep = root + "\\one\\晨星程序\\three\\";
    EXPECT_TRUE(kq::MakeFolderPath(deep));
    EXPECT_NE(::GetFileAttributesA((root + "\\one\\晨星程序\\three").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(kq::MakeFolderPath(deep)) << "existing folders are fine";

    const std::string file = root + "\\file";
    ::CloseHandle(::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_FALSE(kq::MakeFolderPath(file + "\\below")) << "a file stands in the way";

    for (const char* leftover : {"\\one\\晨星程序\\three", "\\one\\晨星程序", "\\one"})
        ::RemoveDirectoryA((root + leftover).c_str());
    ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(root.c_str());
}

TEST(FolderPath, DeletesAFolderTreeWhateverItsOtherAttributes)
{
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string root = std::string(temp) + "kq_folder_tree_test";
    const struct {
        const char* name;
        DWORD attributes;
    } cases[] = {
        {"plain", FILE_ATTRIBUTE_DIRECTORY},
        {"read-only", FILE_ATTRIBUTE_READONLY},
        {"archived", FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(kq::MakeFolderPath(root + "\\晨星桌面\\inner"));
        ::CloseHandle(::CreateFileA((root + "\\晨星桌面\\inner\\a.lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr));
        if (c.attributes != FILE_ATTRIBUTE_DIRECTORY) {
            ASSERT_TRUE(::SetFileAttributesA(root.c_str(), c.attributes));
        }
        EXPECT_TRUE(kq::DeleteFolderTree(root));
        EXPECT_EQ(::GetFileAttributesA(root.c_str()), INVALID_FILE_ATTRIBUTES) << "gone with everything in it";
    }

    EXPECT_TRUE(kq::DeleteFolderTree(root)) << "nothing to delete";
    const std::string file = root + ".txt";
    ::CloseHandle(::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(kq::DeleteFolderTree(file));
    EXPECT_NE(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "a file is left alone";
    ::DeleteFileA(file.c_str());
}
#endif

} // namespace
