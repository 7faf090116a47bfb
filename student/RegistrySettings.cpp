#include "student/RegistrySettings.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/Ipv4Text.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"

namespace kq {

namespace {

constexpr int kSwitchPathMaxChars = 199;
constexpr int kSwitchKeyMaxChars = 49;
constexpr int kSwitchOn = 1;
using studentini::kAbsentText;
constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

} // namespace

void ApplyRegistrySwitch(const std::string& registerIni, int number, int value)
{
    const std::string section = std::to_string(number);
    char path[kSwitchPathMaxChars + 1] = {};
    char key[kSwitchKeyMaxChars + 1] = {};
    ::GetPrivateProfileStringA(section.c_str(), "path", kAbsentText, path, sizeof path, registerIni.c_str());
    ::GetPrivateProfileStringA(section.c_str(), "key", kAbsentText, key, sizeof key, registerIni.c_str());
    if (IsAbsentText(path) || IsAbsentText(key))
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
    const std::string text = FormatDottedIpv4(address) + ":" + std::to_string(port);
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
