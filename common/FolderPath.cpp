#include "common/FolderPath.h"

#include "common/TextField.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace kq {

namespace {

constexpr int kDriveRootSeparators = 1;  // "C:\"
constexpr int kShareRootSeparators = 4;  // "\\server\share\"

// How many leading separators of a path belong to its root.
int RootSeparators(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return kDriveRootSeparators;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
        return kShareRootSeparators;
    return 0;
}

} // namespace

std::vector<std::string> FoldersOfPath(const std::string& path)
{
    std::vector<std::string> folders;
    int rootLeft = RootSeparators(path);
    bool afterSeparator = true; // nothing to make before the first name
    size_t i = 0;
    while (i < path.size()) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp936LeadByte(c) && i + 1 < path.size()) {
            afterSeparator = false;
            i += 2;
            continue;
        }
        if (c == '\\') {
            if (rootLeft > 0)
                --rootLeft;
            else if (!afterSeparator)
                folders.push_back(path.substr(0, i));
            afterSeparator = true;
        } else {
            afterSeparator = false;
        }
        ++i;
    }
    if (rootLeft == 0 && !afterSeparator)
        folders.push_back(path);
    return folders;
}

#ifdef _WIN32

bool MakeFolderPath(const std::string& path)
{
    for (const std::string& folder : FoldersOfPath(path))
        ::CreateDirectoryA(folder.c_str(), nullptr); // an existing folder is fine
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFolderTree(const std::string& path)
{
    // The directory bit decides: a read-only or archived folder is a folder.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return true;
    // The shell wants a list ending in two zeros.
    std::string from = path;
    from.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    return ::SHFileOperationA(&operation) == 0;
}

#endif

} // namespace kq
