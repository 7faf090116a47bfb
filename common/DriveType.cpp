#include "common/DriveType.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace kq {

unsigned DriveType(const char* root)
{
    return ::GetDriveTypeA(root);
}

} // namespace kq
