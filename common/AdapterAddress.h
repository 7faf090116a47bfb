#pragma once
// The local network adapter on which a program of the classroom joins its
// multicast groups and sends: [NETADAPTER] IPADDRESS of the student.ini
// beside the running program file (never a per-host copy), "0.0.0.0" (any
// adapter) when absent, at most 49 characters, and "0.0.0.0" whatever the
// file says when the program's drive is not a fixed disk. The rule itself is
// kq::StudentAdapterAddress (common/StudentIniNetwork.h).

#include "common/StudentIniNetwork.h"

#include <cstdint>
#include <string>

namespace kq {

// True for the text that means "any adapter".
bool IsAnyAdapter(const std::string& address);

#ifdef _WIN32
// How the drive type of a root such as "C:\" is asked: GetDriveTypeA's
// signature. Tests put in their own to play a removable or network drive.
using DriveTypeQuery = unsigned (*)(const char* root);

// Installs `query` for every later read (null: GetDriveTypeA again) and
// returns the one it replaces.
DriveTypeQuery SetDriveTypeQuery(DriveTypeQuery query);

// The address for the program whose folder is `folder` (with its trailing
// backslash).
std::string ReadAdapterAddress(const std::string& folder);
// The same for the folder of the running program file.
std::string ReadAdapterAddress();

// The student.ini in the folder of the running program file
// (GetModuleFileName(NULL): a library asks for its host's); "" when the
// program path cannot be read. The adapter check and dialog read and write
// its IPADDRESS as it stands, whatever the drive.
std::string RunningProgramIni();

// The address as the interface value of IP_ADD_MEMBERSHIP and
// IP_MULTICAST_IF (network byte order in memory): 0 for any adapter;
// INADDR_NONE for a text that is no address, which no join accepts.
uint32_t AdapterInterface(const std::string& address);
#endif

} // namespace kq
