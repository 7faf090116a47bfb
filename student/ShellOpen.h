#pragma once
// Opening a document or address the way the shell does ("open", shown
// normally): the help pages, the web links, the joiner hand-over and the
// update all go through here.

#include <string>

namespace kq {

// Asks the shell to open `target`. False when the shell reports a failure;
// most callers ignore it.
bool ShellOpen(const std::string& target);

} // namespace kq
