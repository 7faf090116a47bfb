#pragma once
// The entries of the settings dialog that OK checks before it stores
// anything: the receive folder, the share port and the monitoring interval.
// Every check runs first, in the dialog's order, so that a rejected entry
// leaves the records as they were.

#include <string>

namespace kq {

enum class SettingsRejection {
    None,
    FolderEmpty,
    FolderLength,
    FolderNoDrive,
    FolderCharacter,
    SharePortZero,
    WatchTooLong,
    WatchTooShort,
};

inline constexpr int kShortestWatchInterval = 5;
inline constexpr int kLongestWatchInterval = 60;

struct SettingsEntries {
    std::string receiveFolder; // as typed
    std::string sharePort;     // as typed
    bool autoMonitor = false;
    std::string watchInterval; // as typed; checked only with monitoring on
};

// The text without the white space at both ends.
std::string TrimmedText(const std::string& text);

// The first entry that OK refuses, or None.
SettingsRejection FirstSettingsRejection(const SettingsEntries& entries);

} // namespace kq
