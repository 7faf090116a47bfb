#pragma once
// The delay of a remote shutdown or restart as the teacher types it: a
// whole number of seconds that must fit the command's one-byte parameter.

namespace kq {

// The longest delay a command can carry.
inline constexpr int kMaxDelaySeconds = 255;

// Reads `text` (may be null) as a delay: blanks around a run of decimal
// digits, or nothing at all (a delay of 0). False, leaving `seconds` alone,
// for anything else and for a number above kMaxDelaySeconds, however many
// digits it has.
bool ParseDelaySeconds(const char* text, int& seconds);

} // namespace kq
