#pragma once
// The checks a typed hand-in path passes before the file system is asked.

#include <cstdint>

namespace kq {

// Message ids of the rejected paths.
inline constexpr unsigned kHandInBadCharacter = 61477;
inline constexpr unsigned kHandInNoFile = 61478;
inline constexpr unsigned kHandInFolder = 61479;
inline constexpr unsigned kHandInBadPath = 61480;
inline constexpr unsigned kHandInNotFullPath = 61483;
inline constexpr unsigned kHandInUnreadable = 61518;

// 0 when `path` (CP936, non-empty) looks like a full file path "X:\...",
// else the id of the message that says why not. Lengths count bytes;
// characters are walked whole, so the trail byte of a double-byte character
// is never taken for "\" or "|".
unsigned CheckHandInPathSyntax(const char* path);

} // namespace kq
