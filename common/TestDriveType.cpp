// The test builds' drive type: what KQ_TEST_DRIVE names, for any root.

#include "common/DriveType.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

namespace {

constexpr DWORD kNameSize = 16;

const struct {
    const char* name;
    unsigned type;
} kTestDrives[] = {
    {"network", DRIVE_REMOTE},
    {"removable", DRIVE_REMOVABLE},
    {"fixed", DRIVE_FIXED},
};

} // namespace

unsigned DriveType(const char* root)
{
    char name[kNameSize] = {};
    const DWORD length = ::GetEnvironmentVariableA(kTestDriveVariable, name, sizeof name);
    if (length > 0 && length < sizeof name) {
        for (const auto& drive : kTestDrives) {
            if (::lstrcmpiA(name, drive.name) == 0)
                return drive.type;
        }
    }
    return ::GetDriveTypeA(root);
}

} // namespace kq
