#include "deskedit/ConfigFolder.h"

#include "common/DriveType.h"
#include "common/FolderPath.h"
#include "common/StudentIni.h"
#include "deskedit/ShortcutRules.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

namespace {

constexpr char kConfigName[] = "\\config";

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes `folder` unless something is found in it already.
bool EnsureFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
        return true;
    }
    return ::CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
}

} // namespace

int PrepareConfigFolder(const std::string& installPath, std::string& folder,
                        const std::function<void(unsigned)>& show)
{
    if (SystemDriveIsFixed(DriveType)) {
        folder = installPath + kConfigName;
        return kConfigInstalled;
    }
    const std::string host = ReadHostName();
    if (host.empty()) {
        show(kMessageHostNameFailed);
        return kConfigFailed;
    }
    const std::string copy = MakePerHostPaths(installPath, host).folder;
    const std::string desktop = copy + "\\" + kDesktopFolder;
    const std::string programs = copy + "\\" + kProgramsFolder;
    DeleteFolderTree(desktop);
    DeleteFolderTree(copy);
    // C:\<host> itself must exist already: it is not made here.
    for (const std::string& made : {copy, desktop, programs}) {
        if (!EnsureFolder(made)) {
            show(kMessageCreatePathFailed);
            return kConfigFailed;
        }
    }
    CopyFolderTree(installPath + kConfigName, copy);
    folder = copy;
    return kConfigPerHost;
}

void CopyFolderTree(const std::string& source, const std::string& destination)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((source + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.cFileName[0] == '.')
            continue;
        const std::string from = source + "\\" + found.cFileName;
        const std::string to = destination + "\\" + found.cFileName;
        // The directory bit decides: a read-only or archived folder is a folder.
        if (IsFolder(found.dwFileAttributes)) {
            ::CreateDirectoryA(to.c_str(), nullptr); // an existing one is fine
            CopyFolderTree(from, to);
        } else {
            ::CopyFileA(from.c_str(), to.c_str(), FALSE);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

} // namespace kq
