#include "common/ProgramFolder.h"

#include "common/TextField.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/InstanceHandle.h"
#endif

namespace kq {

std::string FolderOfPath(const char* path)
{
    if (path == nullptr)
        return {};
    size_t folderEnd = 0; // one past the last backslash seen
    size_t i = 0;
    while (path[i] != '\0') {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp936LeadByte(c)) {
            // A lead byte without its trail byte ends a broken text.
            if (path[i + 1] == '\0')
                break;
            i += 2;
            continue;
        }
        if (c == '\\')
            folderEnd = i + 1;
        ++i;
    }
    return std::string(path, folderEnd);
}

bool IsAbsolutePath(const std::string& path)
{
    constexpr size_t kDriveColon = 1; // "C:"
    return (path.size() > kDriveColon && path[kDriveColon] == ':') || (!path.empty() && path[0] == '\\');
}

std::string PathInFolder(const std::string& folder, const std::string& name)
{
    if (name.empty() || IsAbsolutePath(name))
        return name;
    return folder + name;
}

#ifdef _WIN32

namespace {

// Long paths: the buffer grows up to the longest path the system allows.
constexpr DWORD kFirstPathBuffer = MAX_PATH;
constexpr DWORD kLongestPath = 32768;

} // namespace

std::string GetProgramFolder()
{
    // The module this code is linked into: a DLL linking it finds its own
    // folder, not its host program's.
    const HMODULE module = AfxGetInstanceHandle();
    for (DWORD size = kFirstPathBuffer; size <= kLongestPath; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = ::GetModuleFileNameA(module, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return FolderOfPath(path.c_str());
        }
        // Cut short: try again with more room.
    }
    return {};
}

std::string PathInProgramFolder(const std::string& name)
{
    return PathInFolder(GetProgramFolder(), name);
}

#endif

} // namespace kq
