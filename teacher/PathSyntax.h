#pragma once
// Checks of a folder typed by the user (test papers, receiving folders).

#include <cstddef>
#include <string>

namespace kq {

// Results of CheckPathSyntax.
inline constexpr int kPathValid = 0;
inline constexpr int kPathEmpty = -1;
inline constexpr int kPathBadLength = -2;  // not 3..259 bytes
inline constexpr int kPathNoDrive = -3;    // not "X:\" at the start
inline constexpr int kPathBadCharacter = -4;

// Results of GetPathType.
inline constexpr int kPathIsFolder = 2;
inline constexpr int kPathIsFile = 1;
inline constexpr int kPathMissing = -1;

// The characters a folder or a name typed by the user must not hold.
inline constexpr const char* kForbiddenNameCharacters = "\"#%*,/:<>?@|";

// True when a single-byte character of `set` occurs in the CP936 text at or
// after byte `from`; a trail byte is part of its character, never a match.
bool ContainsCharacterOf(const char* text, size_t from, const char* set);

// Checks the text byte by byte for its length and character by character
// (CP936) for the forbidden single-byte characters " # % * , / : < > ? @ |
// from the third character on; a trail byte is part of its character.
int CheckPathSyntax(const char* path);

// True when the CP936 text ends in a backslash that is a character of its
// own (0x5C can be the trail byte of a double-byte character).
bool EndsWithBackslash(const std::string& text);
// A folder with exactly one trailing backslash added when it has none.
std::string WithTrailingBackslash(const std::string& folder);

#ifdef _WIN32
// What lies at the path: a folder (a drive root included), a file, nothing.
int GetPathType(const char* path);
#endif

} // namespace kq
