#pragma once
// The network adapter address of a student PC: [NETADAPTER] IPADDRESS of the
// student.ini in the folder of the running program file, never a per-host
// copy. Off a fixed disk every program uses any adapter, whatever the file
// says.

#include <cstddef>
#include <functional>
#include <string>

namespace kq {

inline constexpr size_t kAdapterAddressMaxChars = 49;
inline constexpr char kAnyAdapterAddress[] = "0.0.0.0";

// Reads one value of an ini file: section, key and default to the value.
using IniValueReader = std::function<std::string(const char* section, const char* key, const char* fallback)>;

// The address as the file gives it (at most 49 characters; "0.0.0.0" when
// absent), or "0.0.0.0" when the folder is not on a fixed disk.
std::string StudentAdapterAddress(const IniValueReader& read, bool folderOnFixedDisk);

#ifdef _WIN32
// The same for the student.ini in `folder` (a path ending in a backslash).
std::string ReadStudentAdapterAddress(const std::string& folder);
#endif

} // namespace kq
