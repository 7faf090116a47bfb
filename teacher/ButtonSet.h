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

} // namespace kq
