#include "teacher/WebSiteEntry.h"

#include "common/TextField.h"
#include "teacher/PathSyntax.h"

namespace kq {

namespace {

constexpr size_t kWholeName = 0;

// Where the file name starts: after the last backslash that is a
// character of its own (0x5C can be a CP936 trail byte).
size_t FileNameStart(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsCp936LeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/')
            start = i + 1;
    }
    return start;
}

} // namespace

SiteEntryProblem CheckSiteName(const std::string& name)
{
    if (name.empty())
        return SiteEntryProblem::EmptyName;
    if (name.size() > kMaxSiteNameBytes)
        return SiteEntryProblem::NameTooLong;
    if (ContainsCharacterOf(name.c_str(), kWholeName, kForbiddenSiteNameCharacters))
        return SiteEntryProblem::ForbiddenCharacter;
    return SiteEntryProblem::None;
}

SiteEntryProblem CheckSiteEntry(const std::string& name, const std::string& file, int pathType)
{
    const SiteEntryProblem problem = CheckSiteName(name);
    if (problem != SiteEntryProblem::None)
        return problem;
    if (CheckPathSyntax(file.c_str()) != kPathValid)
        return SiteEntryProblem::BadPath;
    if (pathType != kPathIsFile)
        return SiteEntryProblem::NotAFile;
    return SiteEntryProblem::None;
}

std::string SiteNameFromFile(const std::string& path)
{
    const std::string name = path.substr(FileNameStart(path));
    const size_t dot = name.rfind('.'); // '.' is never a trail byte
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

} // namespace kq
