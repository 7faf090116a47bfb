#pragma once
// Where the result window finds the Winsock and DirectX installers.

#include <string>

namespace kq {

enum class Installer { DirectX, Winsock };

// Modes 0 and 10 pass the installation folder itself, whose installers lie
// in it (mode 0) or in their subfolders "DirectX" and "Winsock" (mode 10).
// The other modes pass the student.ini under examination: the installers
// lie in subfolders of the folder that holds it.
std::string InstallerPath(const std::string& checkedPath, int mode, Installer installer);

} // namespace kq
