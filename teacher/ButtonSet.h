#pragma once
// The text of a button set file: the 0-based numbers of the panel buttons
// that the set shows, separated by commas. Line breaks are removed (so
// digits on both sides of one join), the text ends at its first character
// that is neither a digit nor a comma, and numbers outside the table are
// ignored.

#include "common/TeacherConfig.h"

#include <cstdint>
#include <string>

namespace kq {

// Clears the set's flags, then sets the flag of every number in the text.
void ParseButtonSet(const std::string& text, uint32_t (&flags)[kPanelButtonCount]);

// The text of a set file: the numbers of the shown buttons in ascending
// order, each followed by "," but the last; "" for a set that shows none.
std::string FormatButtonSet(const uint32_t (&flags)[kPanelButtonCount]);

// The folder of the set files for a program folder that ends in its
// backslash: "<program folder>setting", or "C:\" when it is unknown.
std::string SettingFolderOf(const std::string& programFolder);

// The whole file as bytes; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& text);
// Creates or truncates the file and writes `text`; false on any failure.
bool WriteWholeFile(const std::string& path, const std::string& text);

#ifdef _WIN32
// SettingFolderOf the running program's folder.
std::string SettingFolder();
#endif

} // namespace kq
