#pragma once
// Where the start counter lives on this PC, and counting one start there:
// [STARTCOUNT] of the student.ini under examination on a fixed system disk,
// else HKEY_CURRENT_USER "kqcheck" (rules: envcheck/StartCounter.h).

#include "envcheck/StartCounter.h"

#include <string>

namespace kq {

inline constexpr char kStartCountKey[] = "kqcheck";
inline constexpr char kStartCountValue[] = "count";

// Reads the counter, stores the next start's value and answers this one.
// An unusable registry key is not reported: the counter then stays 0.
StartCount CountThisStart(const std::string& iniPath, bool fixedSystemDisk);

} // namespace kq
