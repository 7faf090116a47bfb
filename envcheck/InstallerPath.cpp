#include "envcheck/InstallerPath.h"

#include "common/ProgramFolder.h"

namespace kq {

namespace {

constexpr int kFolderMode = 0;
constexpr int kFolderModeWithoutSound = 10;

bool EndsWithBackslash(const std::string& path)
{
    // Searched on character boundaries: 0x5C may end a double-byte character.
    return !path.empty() && FolderOfPath(path.c_str()).size() == path.size();
}

} // namespace

std::string InstallerPath(const std::string& checkedPath, int mode, Installer installer)
{
    const bool folderGiven = mode == kFolderMode || mode == kFolderModeWithoutSound;
    std::string base = folderGiven ? checkedPath : FolderOfPath(checkedPath.c_str());
    const char* file = nullptr;
    if (mode == kFolderMode)
        file = installer == Installer::DirectX ? "Setup.exe" : "WS2setup.exe";
    else
        file = installer == Installer::DirectX ? "DirectX\\Setup.exe" : "Winsock\\WS2setup.exe";
    if (!base.empty() && !EndsWithBackslash(base))
        base += '\\';
    return base + file;
}

} // namespace kq
