#include "broadcast/OsKind.h"

namespace {

struct OsKindRow {
    uint32_t platformId;
    uint32_t majorVersion;
    uint32_t minorVersion;
    OsKind kind;
};

constexpr OsKindRow kExactVersions[] = {
    {kPlatformWin9x, 4, 0, OS_KIND_WINDOWS_95},
    {kPlatformWin9x, 4, 10, OS_KIND_WINDOWS_98},
    {kPlatformWin9x, 4, 90, OS_KIND_WINDOWS_ME},
    {kPlatformNt, 5, 0, OS_KIND_WINDOWS_2000},
    {kPlatformNt, 5, 1, OS_KIND_WINDOWS_XP},
    {kPlatformNt, 5, 2, OS_KIND_WINDOWS_2003},
};

constexpr uint32_t kNt4Major = 4;

bool IsNt5(uint16_t kind)
{
    return kind == OS_KIND_WINDOWS_2000 || kind == OS_KIND_WINDOWS_XP || kind == OS_KIND_WINDOWS_2003;
}

} // namespace

uint16_t OsKindFromVersion(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion)
{
    for (const OsKindRow& row : kExactVersions)
        if (row.platformId == platformId && row.majorVersion == majorVersion && row.minorVersion == minorVersion)
            return row.kind;
    if (platformId == kPlatformNt && majorVersion <= kNt4Major)
        return OS_KIND_WINDOWS_NT4;
    return OS_KIND_OTHER;
}

bool OsKindCallsBattery(uint16_t kind)
{
    return kind == OS_KIND_WINDOWS_98 || kind == OS_KIND_WINDOWS_ME || IsNt5(kind);
}

bool OsKindHonoursCaptureLine(uint16_t kind)
{
    return IsNt5(kind);
}
