#pragma once
// ShortcutEntry: one shortcut file of a desktop folder as the editor keeps
// it, and what becomes of its file when the editor ends.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr size_t kShortcutPathSize = 260;

// The states of an entry.
enum ShortcutState : int32_t {
    kShortcutOriginal = 0,        // in the folder when the editor started
    kShortcutOriginalRemoved = 1, // in the folder at start, removed by the user
    kShortcutAdded = 2,           // copied in by a drop during this run
    kShortcutAddedRemoved = 3,    // copied in during this run, then removed
};

#pragma pack(push, 1)
struct ShortcutEntry {
    int32_t state;                       // ShortcutState
    char path[kShortcutPathSize];        // the file in its shortcut folder, NUL-terminated
    char displayName[kShortcutPathSize]; // the shell's display name, NUL-terminated
    int32_t image;                       // index of its icon in the list's image list
};
#pragma pack(pop)

static_assert(sizeof(ShortcutEntry) == 528);
static_assert(offsetof(ShortcutEntry, path) == 4);
static_assert(offsetof(ShortcutEntry, displayName) == 264);
static_assert(offsetof(ShortcutEntry, image) == 524);

// True for an entry whose row is shown.
inline bool IsShownShortcut(int32_t state)
{
    return state == kShortcutOriginal || state == kShortcutAdded;
}

} // namespace kq
