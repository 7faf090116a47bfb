#pragma once
// The start counter: how many times a PC has run the check. The result
// window only shows during a PC's first starts, up to "maxcount".
//
// On a fixed system disk the counter is [STARTCOUNT] "count" of the
// student.ini under examination; elsewhere (a PC that forgets its disk) it
// is the registry value HKEY_CURRENT_USER "kqcheck" "count". Both keep the
// value of the next start.

#include <optional>

namespace kq {

// "maxcount" read with this value means the key is absent.
inline constexpr int kMaxCountAbsent = -1;
// The window limit of a fixed disk whose ini file names none.
inline constexpr int kDefaultMaxCount = 5;
// A stored count above this is taken as damaged: the window is not shown
// again.
inline constexpr int kLargestPlausibleCount = 100;

struct StartCount {
    int count;    // this start, compared with maxcount
    int maxCount; // the limit the comparison uses
    int stored;   // the value written back for the next start
};

// A fixed system disk: `storedCount` is the ini's "count" (nothing when
// absent), `maxCount` its "maxcount" as read (kMaxCountAbsent when absent).
StartCount CountFixedDiskStart(std::optional<int> storedCount, int maxCount);
// Any other system drive: `storedCount` is the registry's value (nothing
// when it cannot be read); "maxcount" keeps its value as read.
StartCount CountRegistryStart(std::optional<int> storedCount, int maxCount);

// The result window may show on this start (signed comparison).
bool WindowAllowed(const StartCount& start);

} // namespace kq
