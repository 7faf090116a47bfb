#pragma once
// The desktop editor's rules that need no window: where a dropped file is
// copied to, and which files OK or Cancel deletes.

#include <optional>
#include <string>
#include <vector>

namespace kq {

// The shortcut folders below the configuration folder.
inline constexpr char kProgramsFolder[] = "晨星程序"; // list 0
inline constexpr char kDesktopFolder[] = "晨星桌面";  // list 1
inline constexpr int kProgramsList = 0;
inline constexpr int kDesktopList = 1;
// The shortcut files' extension, tried when a plain copy or delete fails.
inline constexpr char kShortcutExtension[] = ".lnk";

// <config>\<folder of list>\<name of the dropped path>. Nothing when the
// destination with ".lnk" would not fit an entry's 260-byte path.
std::optional<std::string> DropDestination(const std::string& configFolder, int list, const std::string& dropped);

struct CommitItem {
    int state;
    std::string path;
};
// The paths that Commit deletes, in order: desktop entries first, then the
// programs entries, each list from its head. `keep` true is OK, false Cancel.
// A path that an entry kept by the outcome also names is not deleted (a
// same-name drop shares its file with the entry it replaced).
std::vector<std::string> PathsToDelete(const std::vector<CommitItem>& desktop,
                                       const std::vector<CommitItem>& programs, bool keep);

} // namespace kq
