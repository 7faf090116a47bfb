#pragma once
// The operating-system kind of the engine, by platform and version; every
// later system (and Wine) is kind 0.

#include <cstdint>

enum OsKind : uint16_t {
    OS_KIND_OTHER = 0,
    OS_KIND_WINDOWS_95 = 1,    // 9x 4.0
    OS_KIND_WINDOWS_98 = 2,    // 9x 4.10
    OS_KIND_WINDOWS_ME = 3,    // 9x 4.90
    OS_KIND_WINDOWS_NT4 = 4,   // NT 4 or older
    OS_KIND_WINDOWS_2000 = 5,  // NT 5.0
    OS_KIND_WINDOWS_XP = 6,    // NT 5.1
    OS_KIND_WINDOWS_2003 = 7,  // NT 5.2
};

// Platform ids of the version record.
inline constexpr uint32_t kPlatformWin9x = 1;
inline constexpr uint32_t kPlatformNt = 2;

uint16_t OsKindFromVersion(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion);

// Kinds on which the screen is kept from going dark through battery.dll.
bool OsKindCallsBattery(uint16_t kind);

// Kinds on which Mirage.ini line 23 may turn the direct capture off.
bool OsKindHonoursCaptureLine(uint16_t kind);
