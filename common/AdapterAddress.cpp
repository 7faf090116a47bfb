#include "common/AdapterAddress.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ProgramFolder.h"

#include <atomic>
#endif

namespace kq {

bool IsAnyAdapter(const std::string& address)
{
    return address == kAnyAdapterAddress;
}

#ifdef _WIN32

namespace {

constexpr char kIniName[] = "student.ini";
constexpr size_t kDriveRootLength = 3; // "C:\"

unsigned SystemDriveType(const char* root)
{
    return GetDriveTypeA(root);
}

std::atomic<DriveTypeQuery> g_driveType{&SystemDriveType};

} // namespace

DriveTypeQuery SetDriveTypeQuery(DriveTypeQuery query)
{
    return g_driveType.exchange(query != nullptr ? query : &SystemDriveType);
}

std::string ReadAdapterAddress(const std::string& folder)
{
    const std::string root = folder.substr(0, kDriveRootLength);
    const bool fixed = g_driveType.load()(root.c_str()) == DRIVE_FIXED;
    const std::string path = folder + kIniName;
    return StudentAdapterAddress(
        [&path](const char* section, const char* key, const char* fallback) {
            char value[kAdapterAddressMaxChars + 1] = {};
            GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path.c_str());
            return std::string(value);
        },
        fixed);
}

namespace {

// The folder of the running program file; "" when its path cannot be read.
std::string RunningProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return {};
    return FolderOfPath(path);
}

} // namespace

std::string ReadAdapterAddress()
{
    const std::string folder = RunningProgramFolder();
    if (folder.empty())
        return kAnyAdapterAddress;
    return ReadAdapterAddress(folder);
}

std::string RunningProgramIni()
{
    const std::string folder = RunningProgramFolder();
    return folder.empty() ? std::string() : folder + kIniName;
}

uint32_t AdapterInterface(const std::string& address)
{
    if (IsAnyAdapter(address))
        return INADDR_ANY;
    return static_cast<uint32_t>(inet_addr(address.c_str()));
}

#endif

} // namespace kq
