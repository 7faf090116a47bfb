#pragma once
// student.ini helpers shared by every student-side program: the install
// folders from the registry, the per-host copies, the drive test, the host
// name, the seat number and the flushed write. (Sections and keys:
// common/StudentIniKeys.h.)

#include <string>

namespace kq {

// The per-host copies of a PC whose system drive is not a fixed disk.
struct PerHostPaths {
    std::string working; // <install>\<host>.ini, read
    std::string local;   // C:\<host>\<host>.ini, written
    std::string folder;  // C:\<host>\config (the desktop folders)
};
PerHostPaths MakePerHostPaths(const std::string& installFolder, const std::string& host);

// `folder` + "\student.ini".
std::string StudentIniIn(const std::string& folder);

// True for the "absent" default "kq" in any case: a text key that was not in
// the file.
bool IsAbsentText(const std::string& text);

#ifdef _WIN32
// HKLM "SOFTWARE\Quorvane\Tutorium\Student".
inline constexpr char kStudentRegistryKey[] = "SOFTWARE\\Quorvane\\Tutorium\\Student";

struct InstallFolders {
    bool keyFound = false;
    std::string path;       // "Path" (empty when absent)
    std::string backupPath; // "BackupPath" (empty when absent)
};
// Reads both values (at most 260 bytes each, terminated whatever the
// registry holds).
InstallFolders ReadInstallFolders();

// True when the root of the system drive is a fixed disk. `driveType`
// answers for GetDriveTypeA when given.
bool SystemDriveIsFixed(unsigned (*driveType)(const char* root) = nullptr);
// The PC's host name (at most 99 characters); empty when unavailable.
std::string ReadHostName();

// A text key, cut to `maxChars` characters.
std::string ReadIniText(const std::string& file, const char* section, const char* key, const char* fallback,
                        int maxChars);
int ReadIniInt(const std::string& file, const char* section, const char* key, int fallback);
// Writes one key and flushes the file.
bool WriteIniText(const std::string& file, const char* section, const char* key, const char* value);
bool WriteIniInt(const std::string& file, const char* section, const char* key, int value);
void FlushIni(const std::string& file);

// [STUDENTNUMBER] number, at most 4 characters, `fallback` when absent.
std::string ReadSeatNumber(const std::string& file, const char* fallback);
#endif

} // namespace kq
