#pragma once
// What the file sending dialog checks without Win32: the receiving folder
// the teacher typed, and the bar's position from the transfer's counters.

#include <cstdint>
#include <string>

namespace kq {

// Messages of the receiving-folder check (string ids of the resources).
inline constexpr unsigned kReceivingFolderEmpty = 57474;        // empty or ending in "."
inline constexpr unsigned kReceivingFolderLength = 57475;       // outside 3-259 bytes
inline constexpr unsigned kReceivingFolderNoDrive = 57476;      // no "X:\" at the start
inline constexpr unsigned kReceivingFolderBadCharacter = 57478; // a forbidden character or "\."

inline constexpr size_t kReceivingFolderMinBytes = 3;
inline constexpr size_t kReceivingFolderMaxBytes = 259;

// Checks the folder on the student PCs that receives a transfer, as typed
// (CP936): trimmed at both ends, single-byte letters upper-cased. Returns 0
// with `folder` set to the folder to use, ending in "\", or the message id,
// leaving `folder` alone. Lengths are bytes; a trail byte is part of its
// character and never read as "|" or as the "\" of "\.".
unsigned CheckReceivingFolder(const std::string& typed, std::string& folder);

// The bar's position in percent from the transfer library's counters:
// 0 until both are non-zero, never above 100.
int SendProgressPercent(uint32_t sent, uint32_t total);

} // namespace kq
