// GetPathType from the path's attributes: a drive root and a folder written
// with a trailing backslash are found too, which a file search misses.

#include "teacher/PathSyntax.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

int GetPathType(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return kPathMissing;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return kPathMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kPathIsFolder : kPathIsFile;
}

} // namespace kq
