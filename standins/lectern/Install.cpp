#include "standins/lectern/Install.h"

#include "common/ProgramFolder.h"

#include <ws2tcpip.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

namespace kq::lectern {

namespace {
constexpr char kConfigFile[] = "\\student.ini";
constexpr char kAnyAdapter[] = "0.0.0.0";
constexpr size_t kAddressTextSize = 50;
constexpr size_t kMacSize = 6;
} // namespace

std::string ModuleFolder()
{
    std::string folder = GetProgramFolder(); // with its trailing backslash
    if (folder.empty())
        return ".";
    folder.pop_back();
    return folder;
}

uint32_t ReadAdapterAddress()
{
    const std::string folder = ModuleFolder();
    const std::string root = folder.substr(0, 3);
    if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED)
        return 0;
    char text[kAddressTextSize] = {};
    GetPrivateProfileStringA("NETADAPTER", "IPADDRESS", kAnyAdapter, text, sizeof text,
                             (folder + kConfigFile).c_str());
    in_addr address = {};
    if (std::strcmp(text, kAnyAdapter) == 0 || inet_pton(AF_INET, text, &address) != 1)
        return 0;
    return address.s_addr;
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

void AdapterAddressToward(uint32_t peer, uint16_t peerPort, uint8_t (&mac)[6])
{
    std::memset(mac, 0, sizeof mac);
    // The local address the system would use toward the peer.
    SOCKET probe = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (probe == INVALID_SOCKET)
        return;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(peerPort);
    to.sin_addr.s_addr = peer;
    sockaddr_in local = {};
    int localSize = sizeof local;
    const bool found = connect(probe, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
                       getsockname(probe, reinterpret_cast<sockaddr*>(&local), &localSize) == 0;
    closesocket(probe);
    if (!found)
        return;
    const std::string localText = Dotted(local.sin_addr.s_addr);

    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0)
        return;
    std::vector<unsigned char> buffer(size);
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(adapters, &size) != NO_ERROR)
        return;
    for (IP_ADAPTER_INFO* a = adapters; a != nullptr; a = a->Next) {
        if (a->AddressLength != kMacSize)
            continue;
        for (IP_ADDR_STRING* ip = &a->IpAddressList; ip != nullptr; ip = ip->Next) {
            if (localText == ip->IpAddress.String) {
                std::memcpy(mac, a->Address, kMacSize);
                return;
            }
        }
    }
}

std::string Dotted(uint32_t address)
{
    in_addr a = {};
    a.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    return inet_ntop(AF_INET, &a, text, sizeof text) ? text : "?";
}

} // namespace kq::lectern
