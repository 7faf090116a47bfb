#include "envcheck/EnvCheck.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "envcheck/BrowserVersion.h"
#include "envcheck/CheckIds.h"
#include "envcheck/DirectXRequirement.h"
#include "envcheck/DisplayRequirement.h"
#include "envcheck/OsRequirement.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <mmsystem.h>

#include <optional>
#include <string>
#include <vector>

namespace {

namespace ini = kq::studentini;

constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

constexpr char kDirectXSetupLibrary[] = "dsetup.dll";
constexpr WORD kDirectXVersionOrdinal = 11;
using DirectXGetVersion = INT(WINAPI*)(DWORD* version, DWORD* revision);

constexpr char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
constexpr char kBrowserVersionValue[] = "Version";
constexpr DWORD kBrowserVersionSize = 20;
constexpr char kBrowserKeyFailed[] = "OPEN FAILED";

std::vector<kq::OsRow> ReadOsRows(const std::string& iniPath)
{
    std::vector<kq::OsRow> rows;
    for (int i = 1; i <= kq::kOsRowCount; ++i) {
        const std::string n = std::to_string(i);
        kq::OsRow row;
        row.major = kq::ReadIniInt(iniPath, ini::kOs, (ini::kOsMajorVersionPrefix + n).c_str(), kq::kOsKeyAbsent);
        row.minor = kq::ReadIniInt(iniPath, ini::kOs, (ini::kOsMinorVersionPrefix + n).c_str(), kq::kOsKeyAbsent);
        row.platformId =
            kq::ReadIniInt(iniPath, ini::kOs, (ini::kOsPlatformIdPrefix + n).c_str(), kq::kOsKeyAbsent);
        rows.push_back(row);
        if (row.major == kq::kOsKeyAbsent)
            break; // the list ends here
    }
    return rows;
}

// The version the DirectX setup library reports, by ordinal; nothing when
// the library, its export or its answer is missing.
std::optional<DWORD> InstalledDirectX()
{
    HMODULE setup = ::LoadLibraryA(kDirectXSetupLibrary);
    if (setup == nullptr)
        return std::nullopt;
    std::optional<DWORD> installed;
    const auto getVersion = reinterpret_cast<DirectXGetVersion>(
        reinterpret_cast<void*>(::GetProcAddress(setup, MAKEINTRESOURCEA(kDirectXVersionOrdinal))));
    DWORD version = 0;
    DWORD revision = 0;
    if (getVersion != nullptr && getVersion(&version, &revision) != 0)
        installed = version;
    ::FreeLibrary(setup);
    return installed;
}

int ReadDisplayKey(const std::string& iniPath, const char* key)
{
    return kq::ReadIniInt(iniPath, ini::kDisplay, key, kq::kDisplayKeyAbsent);
}

} // namespace

int CEnvCheck::CheckOS(const std::string& iniPath)
{
    // Zeroed first: the service-pack text is read as far as it goes.
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        info = OSVERSIONINFOA{};
    info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';
    const kq::OsVersion system{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.szCSDVersion};
    const int requiredPack = kq::ReadIniInt(iniPath, ini::kOs, ini::kOsNt4PackVersion, kq::kDefaultNt4ServicePack);
    const kq::OsCheck matched = kq::MatchOperatingSystem(system, ReadOsRows(iniPath), requiredPack);
    if (matched.nt4)
        m_nt4Mark = kNt4Mark;
    return matched.result;
}

int CEnvCheck::CheckWinsock(const std::string&)
{
    WSADATA data = {};
    if (::WSAStartup(kWinsockVersion, &data) != 0)
        return kq::check::kWinsockTooOld;
    if (data.wVersion != kWinsockVersion) {
        ::WSACleanup();
        return kq::check::kWinsockTooOld;
    }
    return kq::check::kPassed;
}

int CEnvCheck::CheckDirectX(const std::string& iniPath)
{
    const int stored = kq::ReadIniInt(iniPath, ini::kDirectX, ini::kDirectXVer, kq::kDirectXKeyAbsent);
    const int required = kq::RequiredDirectX(stored, m_nt4Mark == kNt4Mark);
    const std::optional<DWORD> installed = InstalledDirectX();
    return kq::CheckDirectXVersion(installed.has_value(), installed.value_or(0), required);
}

int CEnvCheck::CheckSound(const std::string&)
{
    return ::waveOutGetNumDevs() == 0 ? kq::check::kNoSound : kq::check::kPassed;
}

int CEnvCheck::CheckDisplay(const std::string& iniPath)
{
    const kq::DisplayLimits limits =
        kq::MakeDisplayLimits(ReadDisplayKey(iniPath, ini::kColorMin), ReadDisplayKey(iniPath, ini::kColorMax),
                              ReadDisplayKey(iniPath, ini::kWidthMin), ReadDisplayKey(iniPath, ini::kWidthMax),
                              ReadDisplayKey(iniPath, ini::kHeightMin), ReadDisplayKey(iniPath, ini::kHeightMax));

    kq::DisplayModes modes;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    for (DWORD number = 0; ::EnumDisplaySettingsA(nullptr, number, &mode); ++number)
        modes.Note(mode.dmBitsPerPel, mode.dmPelsWidth, mode.dmPelsHeight);

    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetDC(desktop);
    const int bits = screen != nullptr ? ::GetDeviceCaps(screen, BITSPIXEL) : 0;
    if (screen != nullptr)
        ::ReleaseDC(desktop, screen);
    const kq::CurrentDisplay current{static_cast<unsigned>(bits),
                                     static_cast<unsigned>(::GetSystemMetrics(SM_CXSCREEN)),
                                     static_cast<unsigned>(::GetSystemMetrics(SM_CYSCREEN))};
    return kq::CheckDisplayMode(limits, current, modes);
}

int CEnvCheck::CheckIE()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        ::MessageBoxA(nullptr, kBrowserKeyFailed, nullptr, MB_OK);
        return kq::CheckBrowserVersion(std::nullopt);
    }
    char text[kBrowserVersionSize + 1] = {};
    DWORD size = kBrowserVersionSize;
    DWORD type = 0;
    std::optional<std::string> version;
    if (::RegQueryValueExA(key, kBrowserVersionValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        version = std::string(text); // terminated: the buffer has a byte more than the read
    ::RegCloseKey(key);
    return kq::CheckBrowserVersion(version);
}
