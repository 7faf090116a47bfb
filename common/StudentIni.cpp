#include "common/StudentIni.h"

#include "common/StudentIniKeys.h"
#include "common/TextField.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#endif

#include <string>

namespace kq {

PerHostPaths MakePerHostPaths(const std::string& installFolder, const std::string& host)
{
    PerHostPaths paths;
    paths.working = installFolder + "\\" + host + ".ini";
    paths.local = "C:\\" + host + "\\" + host + ".ini";
    paths.folder = "C:\\" + host + "\\config";
    return paths;
}

std::string StudentIniIn(const std::string& folder)
{
    return folder + "\\" + studentini::kFileName;
}

bool IsAbsentText(const std::string& text)
{
    return EqualIgnoringCase(text, studentini::kAbsentText);
}

#ifdef _WIN32

namespace {

constexpr DWORD kRegistryTextSize = MAX_PATH;
constexpr int kHostNameMaxChars = 99;
constexpr size_t kDriveRootLength = 3; // "C:\"
constexpr int kIntTextSize = 16;

std::string ReadRegistryText(HKEY key, const char* name)
{
    char value[kRegistryTextSize + 1] = {};
    DWORD size = kRegistryTextSize;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    value[kRegistryTextSize] = '\0'; // the registry need not terminate it
    return value;
}

} // namespace

InstallFolders ReadInstallFolders()
{
    InstallFolders folders;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStudentRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return folders;
    folders.keyFound = true;
    folders.backupPath = ReadRegistryText(key, "BackupPath");
    folders.path = ReadRegistryText(key, "Path");
    RegCloseKey(key);
    return folders;
}

bool SystemDriveIsFixed(unsigned (*driveType)(const char* root))
{
    char system[MAX_PATH] = {};
    if (GetSystemDirectoryA(system, MAX_PATH) < kDriveRootLength)
        return false;
    const std::string root(system, kDriveRootLength);
    const unsigned type = driveType != nullptr ? driveType(root.c_str()) : GetDriveTypeA(root.c_str());
    return type == DRIVE_FIXED;
}

std::string ReadHostName()
{
    char name[kHostNameMaxChars + 1] = {};
    if (gethostname(name, sizeof name) != 0) {
        // Winsock may not be started by the caller: the computer name will do.
        DWORD size = sizeof name;
        if (!GetComputerNameA(name, &size))
            return {};
    }
    name[kHostNameMaxChars] = '\0';
    return name;
}

std::string ReadIniText(const std::string& file, const char* section, const char* key, const char* fallback,
                        int maxChars)
{
    std::string value(static_cast<size_t>(maxChars) + 1, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, fallback, value.data(),
                                                  static_cast<DWORD>(value.size()), file.c_str());
    value.resize(length);
    return value;
}

int ReadIniInt(const std::string& file, const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file.c_str()));
}

void FlushIni(const std::string& file)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}

bool WriteIniText(const std::string& file, const char* section, const char* key, const char* value)
{
    const bool written = WritePrivateProfileStringA(section, key, value, file.c_str()) != FALSE;
    FlushIni(file);
    return written;
}

bool WriteIniInt(const std::string& file, const char* section, const char* key, int value)
{
    char text[kIntTextSize];
    wsprintfA(text, "%d", value);
    return WriteIniText(file, section, key, text);
}

std::string ReadSeatNumber(const std::string& file, const char* fallback)
{
    return ReadIniText(file, studentini::kStudentNumber, studentini::kNumber, fallback, studentini::kSeatMaxChars);
}

#endif

} // namespace kq
