#include "deskedit/ShortcutRules.h"

#include "common/ProgramFolder.h"
#include "deskedit/ShortcutEntry.h"

#include <algorithm>
#include <cstring>

namespace kq {

namespace {

// The states whose files the outcome deletes: the removed originals on OK,
// the drops on Cancel; the drops removed again either way.
bool Dropped(int state, bool keep)
{
    const int target = keep ? kShortcutOriginalRemoved : kShortcutAdded;
    return state == target || state == kShortcutAddedRemoved;
}

} // namespace

std::optional<std::string> DropDestination(const std::string& configFolder, int list, const std::string& dropped)
{
    const std::string folder = FolderOfPath(dropped.c_str());
    const std::string name = dropped.substr(folder.size());
    const std::string destination =
        configFolder + "\\" + (list == kDesktopList ? kDesktopFolder : kProgramsFolder) + "\\" + name;
    if (destination.size() + std::strlen(kShortcutExtension) >= kShortcutPathSize)
        return std::nullopt;
    return destination;
}

std::vector<std::string> PathsToDelete(const std::vector<CommitItem>& desktop,
                                       const std::vector<CommitItem>& programs, bool keep)
{
    std::vector<const CommitItem*> all;
    for (const CommitItem& item : desktop)
        all.push_back(&item);
    for (const CommitItem& item : programs)
        all.push_back(&item);

    auto keptByOutcome = [&](const std::string& path) {
        return std::any_of(all.begin(), all.end(),
                           [&](const CommitItem* item) { return !Dropped(item->state, keep) && item->path == path; });
    };
    std::vector<std::string> paths;
    for (const CommitItem* item : all) {
        if (Dropped(item->state, keep) && !keptByOutcome(item->path) &&
            std::find(paths.begin(), paths.end(), item->path) == paths.end())
            paths.push_back(item->path);
    }
    return paths;
}

} // namespace kq
