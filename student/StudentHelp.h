#pragma once
// The help pages of the student agent's messages: which page the OK button
// of a message box opens, and where the pages lie.

#include <string>

namespace kq {

// The message whose page lies beside the running program: the install
// folder is missing from the registry.
inline constexpr int kInstallFolderMissingMessage = 61469;

// The page ("8.htm") of message `messageId`, or null when it has none.
const char* StudentHelpPageFor(int messageId);

// The help folder for message `messageId`, without a trailing backslash:
// the install folder ("Path" of the student's registry key, read afresh)
// followed by "\help"; the running program's folder instead for the
// install-folder-missing message and whenever "Path" cannot be read.
std::string StudentHelpFolder(int messageId);

// Opens the page of `messageId` through the shell, when it has one. The
// shell's answer is not reported.
void OpenStudentHelp(int messageId);

} // namespace kq
