#pragma once
// Opening a document, address or program the way the shell does ("open",
// shown normally): the student programs' help pages, web links, hand-overs
// and restarts all go through here.

#include <string>

namespace kq {

// Asks the shell to open `target`. True when the shell returns more than 32,
// false when it reports a failure (help pages ignore it).
bool ShellOpen(const std::string& target);

} // namespace kq
