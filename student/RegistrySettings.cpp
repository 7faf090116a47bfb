#include "student/RegistrySettings.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

namespace {

constexpr int kSwitchPathMaxChars = 199;
constexpr int kSwitchKeyMaxChars = 49;
constexpr int kSwitchOn = 1;
constexpr char kAbsent[] = "kq";
constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

bool IsAbsent(const char* text)
{
    return lstrcmpiA(text, kAbsent) == 0;
}

} // namespace

void ApplyRegistrySwitch(const std::string& registerIni, int number, int value)
{
    const std::string section = std::to_string(number);
    char path[kSwitchPathMaxChars + 1] = {};
    char key[kSwitchKeyMaxChars + 1] = {};
    ::GetPrivateProfileStringA(section.c_str(), "path", kAbsent, path, sizeof path, registerIni.c_str());
    ::GetPrivateProfileStringA(section.c_str(), "key", kAbsent, key, sizeof key, registerIni.c_str());
    if (IsAbsent(path) || IsAbsent(key))
        return;
    HKEY handle = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    const DWORD data = value == kSwitchOn ? 1 : 0;
    ::RegSetValueExA(handle, key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(handle);
}

void SetIeProxy(uint32_t address, int port)
{
    const auto* octets = reinterpret_cast<const unsigned char*>(&address);
    const std::string text = std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
                             std::to_string(octets[2]) + "." + std::to_string(octets[3]) + ":" +
                             std::to_string(port);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
    const DWORD enable = 1;
    ::RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof enable);
    ::RegDeleteValueA(key, "AutoConfigURL");
    ::RegCloseKey(key);
}

} // namespace kq
