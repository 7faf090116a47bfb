#include "broadcast/EngineEnvironment.h"

#include "broadcast/OsKind.h"
#include "common/ProgramFolder.h"

#include "framework/Framework.h"

#include <cstring>

namespace {

constexpr DWORD kModuleNameSize = 1024;
constexpr size_t kDriveRootLength = 3; // "C:\"
constexpr char kIniName[] = "Mirage.ini";
constexpr char kRecordFolderName[] = "recdata";
constexpr char kBatteryLibrary[] = "battery.dll";
constexpr char kKeepScreenOn[] = "DoMakeScreenNotDark";

// The version with the extended record, else the basic one.
bool ReadVersion(OSVERSIONINFOA& version)
{
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
        std::memcpy(&version, &extended, sizeof version);
        return true;
    }
    version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) != FALSE;
}

} // namespace

CEngineEnvironment& EngineEnvironment()
{
    static CEngineEnvironment environment;
    return environment;
}

bool CEngineEnvironment::FindHostFolder()
{
    char path[kModuleNameSize] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, kModuleNameSize);
    if (length == 0 || length >= kModuleNameSize)
        return false;
    m_hostFolder = kq::FolderOfPath(path);
    if (m_hostFolder.empty())
        return false;
    m_driveRoot = m_hostFolder.substr(0, kDriveRootLength);
    m_recordFolder = m_hostFolder + kRecordFolderName;
    return true;
}

void CEngineEnvironment::ReadIni()
{
    m_ini = CMirageIni::Load(m_hostFolder + kIniName);
}

bool CEngineEnvironment::HostOnFixedDisk() const
{
    return GetDriveTypeA(m_driveRoot.c_str()) == DRIVE_FIXED;
}

uint16_t CEngineEnvironment::DetectOsKind() const
{
    OSVERSIONINFOA version;
    if (!ReadVersion(version))
        return 0;
    const uint16_t kind = OsKindFromVersion(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    if (OsKindCallsBattery(kind) && !m_hostFolder.empty()) {
        if (HMODULE battery = LoadLibraryA((m_hostFolder + kBatteryLibrary).c_str())) {
            using KeepScreenOn = void (*)();
            if (auto call = reinterpret_cast<KeepScreenOn>(GetProcAddress(battery, kKeepScreenOn)))
                call();
            FreeLibrary(battery);
        }
    }
    return kind;
}
