#include "envcheck/StartCountStore.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <optional>

namespace kq {

namespace {

namespace ini = studentini;

constexpr int kCountAbsent = 0;

StartCount CountInRegistry(int maxCount)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kStartCountKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        key = nullptr;

    std::optional<int> stored;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (key != nullptr && ::RegQueryValueExA(key, kStartCountValue, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                             &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value) {
        stored = static_cast<int>(value);
    } else if (key != nullptr) {
        const DWORD zero = 0;
        ::RegSetValueExA(key, kStartCountValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    }

    const StartCount start = CountRegistryStart(stored, maxCount);
    if (key != nullptr) {
        const DWORD next = static_cast<DWORD>(start.stored);
        ::RegSetValueExA(key, kStartCountValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&next), sizeof next);
        ::RegCloseKey(key);
    }
    return start;
}

} // namespace

StartCount CountThisStart(const std::string& iniPath, bool fixedSystemDisk)
{
    const int maxCount = ReadIniInt(iniPath, ini::kStartCount, ini::kMaxCount, kMaxCountAbsent);
    if (!fixedSystemDisk)
        return CountInRegistry(maxCount);
    const StartCount start =
        CountFixedDiskStart(ReadIniInt(iniPath, ini::kStartCount, ini::kCount, kCountAbsent), maxCount);
    WriteIniInt(iniPath, ini::kStartCount, ini::kCount, start.stored);
    return start;
}

} // namespace kq
