#pragma once
// Texts the teacher's start-up and version box compose.

#include <string>

namespace kq {

// A start-up warning: the message, a line break and the sentence that sends
// the user to item `item` of the help pages' common problems.
std::string StartupWarningText(const std::string& message, int item);

// "数字版v" and the version, VersionID / 100 with two decimals (770 -> 7.70).
std::string VersionText(unsigned versionId);

} // namespace kq
