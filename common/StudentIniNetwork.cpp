#include "common/StudentIniNetwork.h"

#ifdef _WIN32
#include <winsock2.h>
#include <windows.h>
#endif

namespace kq {

namespace {

constexpr char kSection[] = "NETADAPTER";
constexpr char kKey[] = "IPADDRESS";

} // namespace

std::string StudentAdapterAddress(const IniValueReader& read, bool folderOnFixedDisk)
{
    if (!folderOnFixedDisk)
        return kAnyAdapterAddress;
    std::string address = read(kSection, kKey, kAnyAdapterAddress);
    if (address.size() > kAdapterAddressMaxChars)
        address.resize(kAdapterAddressMaxChars);
    return address;
}

#ifdef _WIN32
std::string ReadStudentAdapterAddress(const std::string& folder)
{
    constexpr size_t kDriveRootLength = 3; // "C:\"
    const std::string root = folder.substr(0, kDriveRootLength);
    const bool fixed = GetDriveTypeA(root.c_str()) == DRIVE_FIXED;
    const std::string path = folder + "student.ini";
    return StudentAdapterAddress(
        [&path](const char* section, const char* key, const char* fallback) {
            char value[kAdapterAddressMaxChars + 1] = {};
            GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path.c_str());
            return std::string(value);
        },
        fixed);
}
#endif

} // namespace kq
