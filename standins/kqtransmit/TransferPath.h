#pragma once
// Checks and cuts of the paths that travel in a transfer. Paths are CP936
// byte strings: a '\' byte may be the second byte of a double-byte
// character, so every walk over a path steps over whole characters.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kq::transmit {

// A path received from another PC that may be placed under a folder: one or
// more names separated by single '\', no name ending in '.' or ' ' (which
// rules out "." and ".."), none of the
// characters Windows forbids in names, no control bytes, no cut double-byte
// character, at most kMaxPath bytes.
bool IsSafeRelativePath(std::string_view path);

// A safe relative path of one name only.
bool IsSafeName(std::string_view name);

// "X:\" followed by nothing or a safe relative path, and any trailing '\'.
bool IsAbsoluteFolder(std::string_view path);

// Byte offsets of the '\' separators of a path (trail bytes skipped).
std::vector<size_t> SeparatorPositions(std::string_view path);

// The path without any '\' at its end, or with exactly one.
std::string StripTrailingSeparators(std::string_view path);
std::string WithTrailingSeparator(std::string_view path);

// The last name of a path ("C:\a\b\" -> "b"); empty for a drive root.
std::string LastName(std::string_view path);

// The first name of a relative path ("b\c.txt" -> "b").
std::string FirstName(std::string_view path);

// The 32-bit progress counters of a transfer whose sizes may pass 4 GiB:
// both are divided by the same power of two until the total fits.
void ScaleProgress(uint64_t total, uint64_t done, uint32_t& totalOut, uint32_t& doneOut);

} // namespace kq::transmit
