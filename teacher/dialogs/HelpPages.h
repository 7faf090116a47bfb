#pragma once
// The help pages of the teacher's warnings: which page the confirm button
// of a warning opens, by the string id of its message.

#include "framework/Win32.h"

#include <string>

namespace kq {

// The page name ("3.htm") for a help id, or null when it has none (0 among them).
const char* HelpPageFor(UINT helpId);
// Where a page lies: the program folder's "help\" + the page.
std::string HelpPagePath(const char* page);

} // namespace kq
