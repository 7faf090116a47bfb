// Where drops go and which files OK and Cancel delete.

#include "deskedit/ShortcutEntry.h"
#include "deskedit/ShortcutRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace kq;
using Paths = std::vector<std::string>;

TEST(ShortcutDrops, GoIntoTheShownFolderUnderTheirOwnName)
{
    EXPECT_EQ(DropDestination("C:\\S\\config", kProgramsList, "D:\\tools\\记事本.lnk"),
              std::string("C:\\S\\config\\晨星程序\\记事本.lnk"));
    EXPECT_EQ(DropDestination("C:\\S\\config", kDesktopList, "plain"), std::string("C:\\S\\config\\晨星桌面\\plain"));
    // "表" ends in 0x5C: the name is not cut inside it.
    EXPECT_EQ(DropDestination("C", kDesktopList, "D:\\a\\表.txt"), std::string("C\\晨星桌面\\表.txt"));
}

TEST(ShortcutDrops, ADestinationThatCannotTakeLnkIsRefused)
{
    const std::string config = "C:\\config";
    const size_t fixed = config.size() + 1 + std::string(kProgramsFolder).size() + 1; // folders and backslashes
    const std::string fits(kShortcutPathSize - 1 - 4 - fixed, 'a');
    EXPECT_TRUE(DropDestination(config, kProgramsList, "D:\\" + fits).has_value());
    EXPECT_FALSE(DropDestination(config, kProgramsList, "D:\\" + fits + "a").has_value());
}

TEST(ShortcutCommit, DeletesWhatTheOutcomeDrops)
{
    const std::vector<CommitItem> desktop = {
        {kShortcutOriginal, "d0"}, {kShortcutOriginalRemoved, "d1"}, {kShortcutAdded, "d2"},
        {kShortcutAddedRemoved, "d3"}};
    const std::vector<CommitItem> programs = {{kShortcutOriginalRemoved, "p1"}, {kShortcutAdded, "p2"}};
    EXPECT_EQ(PathsToDelete(desktop, programs, true), (Paths{"d1", "d3", "p1"}));
    EXPECT_EQ(PathsToDelete(desktop, programs, false), (Paths{"d2", "d3", "p2"}));
}

TEST(ShortcutCommit, NeverDeletesAFileThatAKeptEntryNames)
{
    struct Case {
        const char* what;
        std::vector<CommitItem> entries;
        Paths afterOk;
        Paths afterCancel;
    } cases[] = {
        {"same-name drop over an original", {{kShortcutOriginal, "x"}, {kShortcutAdded, "x"}}, {}, {}},
        {"the original's row removed, the drop kept",
         {{kShortcutOriginalRemoved, "x"}, {kShortcutAdded, "x"}}, {}, {}},
        {"one file dropped twice, one row removed",
         {{kShortcutAdded, "x"}, {kShortcutAddedRemoved, "x"}}, {}, {"x"}},
        {"both drops removed", {{kShortcutAddedRemoved, "x"}, {kShortcutAddedRemoved, "x"}}, {"x"}, {"x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathsToDelete(c.entries, {}, true), c.afterOk) << c.what;
        EXPECT_EQ(PathsToDelete({}, c.entries, false), c.afterCancel) << c.what;
    }
}

} // namespace
