#pragma once
// Teacher.ini read into the records the transport and the handlers use, and
// the saved keys written back. Portable: the caller reads the file into a
// CIniStore and supplies the two values of the program folder's profile.

#include "common/TeacherConfig.h"
#include "teacher/IniStore.h"
#include "teacher/TeacherOptions.h"

#include <cstdint>
#include <string>

namespace kq {

// What the main window keeps of the file besides the records.
struct TeacherSettings {
    TeacherConfig config{};
    TeacherOptions options{};
    int classroomId = 0;
    bool enableTip = false;
    bool stuNoDisk = false;
    std::string logoFile;
};

// The two keys read from the program folder's Teacher.ini (the application
// profile) rather than from the install folder's.
struct ProfileValues {
    int hits = 8;
    int mediaType = 0;
};

inline constexpr int kDefaultHits = 8;
inline constexpr int kDefaultMediaType = 0;

// Fills every field that comes from the file; the button flags all 1. The
// caller loads the button set files afterwards.
void ReadTeacherSettings(CIniStore& file, const ProfileValues& profile, uint32_t mainWindow,
                         TeacherSettings& settings);

// A store holding every saved key, in the order they are written.
void FillSavedKeys(const TeacherSettings& settings, CIniStore& store);

} // namespace kq
