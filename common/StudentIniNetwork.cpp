#include "common/StudentIniNetwork.h"

#include "common/AdapterAddress.h"

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
    return ReadAdapterAddress(folder); // one reader, with its drive-type seam
}
#endif

} // namespace kq
