#pragma once
// Making a folder together with every missing folder above it, and deleting
// a folder with everything in it.

#include <string>
#include <vector>

namespace kq {

// The folders a path passes through, outermost first, each without its
// trailing backslash: "C:\a\b\" and "C:\a\b" both give "C:\a", "C:\a\b".
// The drive ("C:") and the server and share of a "\\server\share" path are
// not folders to make. Backslashes are found on CP936 character boundaries.
std::vector<std::string> FoldersOfPath(const std::string& path);

#ifdef _WIN32
// Makes every missing folder of `path`. True when the whole path is a
// folder afterwards.
bool MakeFolderPath(const std::string& path);
// Deletes the folder `path` with everything in it through the shell (no
// confirmation, undo allowed). Anything that is not a folder is left alone.
// False only when the shell reports a failure.
bool DeleteFolderTree(const std::string& path);
#endif

} // namespace kq
