#include "teacher/SettingsEntries.h"

#include "teacher/PathSyntax.h"

#include <cstdlib>

namespace kq {

namespace {

constexpr const char* kWhiteSpace = " \t\r\n";

} // namespace

std::string TrimmedText(const std::string& text)
{
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

SettingsRejection FirstSettingsRejection(const SettingsEntries& entries)
{
    switch (CheckPathSyntax(TrimmedText(entries.receiveFolder).c_str())) {
    case kPathEmpty:
        return SettingsRejection::FolderEmpty;
    case kPathBadLength:
        return SettingsRejection::FolderLength;
    case kPathNoDrive:
        return SettingsRejection::FolderNoDrive;
    case kPathBadCharacter:
        return SettingsRejection::FolderCharacter;
    default:
        break;
    }
    if (std::atoi(TrimmedText(entries.sharePort).c_str()) == 0)
        return SettingsRejection::SharePortZero;
    if (entries.autoMonitor) {
        const int interval = std::atoi(entries.watchInterval.c_str());
        if (interval > kLongestWatchInterval)
            return SettingsRejection::WatchTooLong;
        if (interval < kShortestWatchInterval)
            return SettingsRejection::WatchTooShort;
    }
    return SettingsRejection::None;
}

} // namespace kq
