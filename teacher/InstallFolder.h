#pragma once
// Where the teacher program is installed: the string value "Path" under
// HKEY_LOCAL_MACHINE\Software\Quorvane\Tutorium.

#include <string>

namespace kq {

inline constexpr char kInstallKey[] = "Software\\Quorvane\\Tutorium";
inline constexpr char kInstallValue[] = "Path";

// False when the key or the value is missing or is no text.
bool ReadInstallFolder(std::string& folder);

} // namespace kq
