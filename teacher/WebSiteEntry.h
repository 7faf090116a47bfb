#pragma once
// One entry of the web site file: a site name (the key of its pair in
// [WebName]) and the local HTML file it opens. The checks the entry dialog
// makes before it takes an entry, in the order it makes them. Portable.

#include <cstddef>
#include <string>

namespace kq {

inline constexpr char kWebSiteSection[] = "WebName";
inline constexpr size_t kMaxSiteNameBytes = 50;
// The web site file is read by splitting each line at its first "=": a
// name holding one would come back cut there.
inline constexpr const char* kForbiddenSiteNameCharacters = "\"#%*,/:<>?@|=";

enum class SiteEntryProblem {
    None,
    EmptyName,
    NameTooLong,        // more than kMaxSiteNameBytes bytes
    ForbiddenCharacter, // one of kForbiddenSiteNameCharacters
    BadPath,            // the file's path fails CheckPathSyntax
    NotAFile,           // a folder, or nothing there
};

// The site name checks alone (the in-place rename makes only these).
SiteEntryProblem CheckSiteName(const std::string& name);
// Every check: the name's, then the path's. `pathType` is what
// GetPathType reports for the file's path. Both texts come trimmed.
SiteEntryProblem CheckSiteEntry(const std::string& name, const std::string& file, int pathType);

// The name that a chosen file suggests: its file name without the
// extension (the part before the last "."), empty for a name without ".".
std::string SiteNameFromFile(const std::string& path);

} // namespace kq
